#include "design/common/check_list.h"
#include "design/common/shear_key.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

#include "design/common/numbers.h"
#include "design/common/remedy_text.h"
#include "design/common/value_format.h"

namespace pedivo {
namespace {

// The embedment starts at 100 mm and grows in steps of 10 mm, at most to the key's depth.
constexpr double firstEmbedment = 100;
constexpr double embedmentStep = 10;
// The smallest leg of the key's welds, mm.
constexpr double smallestKeyLeg = 6;

constexpr const char* notNeeded = "不需设置抗剪键";
constexpr const char* noKeyGiven = "未设抗剪键";

// The largest leg of the key's welds: 1.2 times the thinnest part joined, in whole millimetres.
double largestKeyLeg(double tpb, double tw, double tf) {
  return std::floor(tables::largestLegFactor * std::min({tw, tf, tpb}) + 1e-9);  // the guard keeps 1.2×10 at 12
}

double sectionModulus(double h, double b, double tw, double tf) {
  const double web = h - 2 * tf;
  return (b * h * h * h - (b - tw) * web * web * web) / (6 * h);
}

// The key's welds and lever arm at embedment hk.
struct KeyArms {
  double arm;          // from the plate's underside to the middle of the embedment
  double flangeWelds;  // moment resistance of the flange welds' throats
  double webWelds;     // throat area of the web welds
  bool web;            // the section has a web between its flanges
};

// The key's lever arm and welds at embedment hk.
KeyArms keyArms(const tables::HSection& s, double hk, const ShearKey& key) {
  const double throat = tables::filletThroat * key.hfk;
  return {key.tg + hk / 2, s.h * throat * 2 * (s.b - 2 * key.hfk), 2 * throat * (s.h - 2 * s.tf - 2 * key.hfk),
          s.h - 2 * s.tf > 0};
}

// The five stresses of the section at embedment hk under the whole shear. A given section may
// leave its web or a weld no length: nothing is divided by it (the check of a given key says why
// it cannot be evaluated).
KeyArms keyStressesOnly(const tables::HSection& s, double hk, const KeySeat& seat, ShearKey& key) {
  const double V = seat.V;
  const KeyArms at = keyArms(s, hk, key);
  key.sigck = V / (s.b * hk);
  key.tauk = at.web ? V / ((s.h - 2 * s.tf) * s.tw) : 0;
  key.Mk = V * at.arm;
  key.sigk = key.Mk / key.Wxk;
  key.sigfk = at.flangeWelds > 0 ? key.Mk / at.flangeWelds : 0;
  key.taufk = at.webWelds > 0 ? V / at.webWelds : 0;
  return at;
}

// The largest shear each part allows at embedment hk, and the least of them, what the key carries.
struct KeyCapacities {
  double Vkc, Vkv, Vkm, Vkf, Vkw, Vku;
};
KeyCapacities keyCapacities(const tables::HSection& s, double hk, const KeySeat& seat, const ShearKey& key,
                            const KeyArms& at) {
  KeyCapacities c{};
  c.Vkc = seat.fc * s.b * hk;
  c.Vkv = at.web ? key.fvk * (s.h - 2 * s.tf) * s.tw : 0;
  c.Vkm = key.fk * key.Wxk / at.arm;
  c.Vkf = at.flangeWelds > 0 ? tables::betaF * seat.ffw * at.flangeWelds / at.arm : 0;
  c.Vkw = at.webWelds > 0 ? seat.ffw * at.webWelds : 0;
  c.Vku = std::min({c.Vkc, c.Vkv, c.Vkm, c.Vkf, c.Vkw});
  return c;
}

// The stresses of the section at embedment hk under the whole shear, and the largest shear each
// part allows: the least of them is what the key carries.
void keyStresses(const tables::HSection& s, double hk, const KeySeat& seat, ShearKey& key) {
  key.hk = hk;
  key.Vk = seat.V;
  const KeyCapacities c = keyCapacities(s, hk, seat, key, keyStressesOnly(s, hk, seat, key));
  key.Vkc = c.Vkc, key.Vkv = c.Vkv, key.Vkm = c.Vkm, key.Vkf = c.Vkf, key.Vkw = c.Vkw, key.Vku = c.Vku;
}

bool keyHolds(const ShearKey& key, const KeySeat& seat) {
  return key.sigck <= seat.fc && key.tauk <= key.fvk && key.sigk <= key.fk && key.sigfk <= tables::betaF * seat.ffw &&
         key.taufk <= seat.ffw;
}

// Whether the section holds at embedment hk: the five stresses only, without the shears each part
// allows, which only the embedment taken needs. Where the lever arm is nought those shears divide
// by it, and the whole of keyStresses runs so that the guard of the calculation sees the same
// division.
bool holdsAt(const tables::HSection& s, double hk, const KeySeat& seat, ShearKey& key) {
  if (key.tg + hk / 2 == 0) {
    keyStresses(s, hk, seat, key);
    return keyHolds(key, seat);
  }
  keyStressesOnly(s, hk, seat, key);
  return keyHolds(key, seat);
}

// The section's sizes, strengths, modulus and weld leg into the key.
void takeSection(const tables::SteelGrade& steel, const tables::HSection& s, double tpb, ShearKey& key) {
  key.keyh = s.h, key.keyb = s.b, key.keytw = s.tw, key.keytf = s.tf;
  const tables::BendingShearStrength strength = tables::bendingShearStrength(steel, s.tf);
  key.fk = strength.f;
  key.fvk = strength.fv;
  key.Wxk = sectionModulus(s.h, s.b, s.tw, s.tf);
  key.hfk = keyWeldLeg(tpb, s.tw, s.tf);
}

}  // namespace

void startShearKey(const Entries& entries, ShearKey& key) {
  key = ShearKey{};
  key.tg = readNumber(entries, "Edttg");
}

double keyWeldLeg(double tpb, double tw, double tf) {
  const double leg = roundUpToEven(std::max(smallestKeyLeg, tables::smallestFilletLeg(tpb)));
  return std::min(leg, largestKeyLeg(tpb, tw, tf));
}

namespace {

// The embedments tried in a section, 100 mm and every 10 mm to its depth, one after the other.
std::optional<double> walkedEmbedment(const tables::HSection& s, const KeySeat& seat, ShearKey& key) {
  for (double hk = firstEmbedment; hk <= s.h; hk += embedmentStep)
    if (holdsAt(s, hk, seat, key)) return hk;
  return std::nullopt;
}

// Embedments of a section, 100 mm and every 10 mm to its depth: the first at which the concrete
// under the flange bears the whole shear (σck = V/(b·hk) within fc, as keyStressesOnly writes it),
// and the deepest.
struct BearingEmbedments {
  std::optional<double> bearing, deepest;
};
BearingEmbedments bearingEmbedments(const tables::HSection& s, const KeySeat& seat) {
  BearingEmbedments found;
  for (double hk = firstEmbedment; hk <= s.h; hk += embedmentStep) {
    if (!found.bearing && seat.V / (s.b * hk) <= seat.fc) found.bearing = hk;
    found.deepest = hk;
  }
  return found;
}

// The first embedment at which the section holds, the same as trying them in turn. Deeper, the
// concrete under the flange bears less (σck falls) while the moment on the section and its flange
// welds grows (Mk = V·(tg + hk/2)); the web and its welds do not change. So the section holds first
// where the concrete first bears, or nowhere. Only that embedment is worked out in full, and, where
// none holds, the deepest: the largest moment there raises any overflow the embedments between
// would. A lever arm that may vanish (no grout) has every embedment tried.
std::optional<double> firstHoldingEmbedment(const tables::HSection& s, const KeySeat& seat, ShearKey& key) {
  if (!(key.tg > 0)) return walkedEmbedment(s, seat, key);
  const BearingEmbedments at = bearingEmbedments(s, seat);
  if (at.bearing && holdsAt(s, *at.bearing, seat, key)) return at.bearing;
  if (at.deepest) holdsAt(s, *at.deepest, seat, key);
  return std::nullopt;
}

// The first embedment at which the section carries the most, Vku over every embedment to its
// depth. Only the shears allowed are worked out at each; the stresses where the shallowest and the
// deepest embedment take them, which raises any overflow the embedments between would: the
// concrete's bearing stress is largest at the one, the moment on the key at the other.
double embedmentCarryingMost(const tables::HSection& s, const KeySeat& seat, ShearKey& key) {
  double best = firstEmbedment;
  double most = -1;
  std::optional<double> deepest;
  for (double hk = firstEmbedment; hk <= s.h; hk += embedmentStep) {
    if (const double Vku = keyCapacities(s, hk, seat, key, keyArms(s, hk, key)).Vku; Vku > most) most = Vku, best = hk;
    deepest = hk;
  }
  if (deepest) {
    keyStressesOnly(s, firstEmbedment, seat, key);
    keyStressesOnly(s, *deepest, seat, key);
  }
  return best;
}

}  // namespace

void designShearKey(const tables::SteelGrade& steel, const KeySeat& seat, ShearKey& key) {
  const double tg = key.tg;
  key = ShearKey{};
  key.tg = tg;
  if (!(seat.V > seat.Vfb)) return;
  const auto sections = tables::shearKeySections();
  for (const tables::HSection& section : sections) {
    takeSection(steel, section, seat.tpb, key);
    if (const auto hk = firstHoldingEmbedment(section, seat, key)) {
      keyStresses(section, *hk, seat, key);
      key.keyName = section.name;
      return;
    }
  }
  // Nothing in the list holds: the largest section, embedded where it carries the most.
  const tables::HSection& largest = sections.back();
  takeSection(steel, largest, seat.tpb, key);
  keyStresses(largest, embedmentCarryingMost(largest, seat, key), seat, key);
  key.keyName = largest.name;
}

bool someKeyCarries(const tables::SteelGrade& steel, const KeySeat& seat, double tg) {
  ShearKey key;
  key.tg = tg;
  for (const tables::HSection& section : tables::shearKeySections()) {
    takeSection(steel, section, seat.tpb, key);
    const auto carries = [&](double hk) {
      keyStresses(section, hk, seat, key);
      return key.sigck <= seat.fc && key.tauk <= key.fvk && key.sigk <= key.fk;
    };
    if (!(key.tg > 0)) {
      for (double hk = firstEmbedment; hk <= section.h; hk += embedmentStep)
        if (carries(hk)) return true;
    } else if (const auto bearing = bearingEmbedments(section, seat).bearing; bearing && carries(*bearing)) {
      return true;  // as in designShearKey: where the concrete first bears, or at no embedment
    }
  }
  return false;
}

namespace {

constexpr const char* keySizeNames[] = {"keyh", "keyb", "keytw", "keytf", "hk", "hfk"};

// "HW150×150×7×10" for a section of the list, "H160×150×8×10" for any other.
std::string sectionName(const tables::HSection& s) {
  for (const tables::HSection& listed : tables::shearKeySections())
    if (listed.h == s.h && listed.b == s.b && listed.tw == s.tw && listed.tf == s.tf) return std::string(listed.name);
  return "H" + formatGeneral(s.h) + "×" + formatGeneral(s.b) + "×" + formatGeneral(s.tw) + "×" + formatGeneral(s.tf);
}

// The checks a given section cannot be evaluated for: a web or a weld with no length left. Each
// check once, with the first reason that stops it; the key's capacity Vku stops with any of them.
void keyLengthsLeft(ShearKey& key, GivenSizeFindings& findings) {
  const auto cannot = [&](std::initializer_list<const char*> ids, const std::string& reason) {
    const auto listed = [&](std::string_view id) {
      return std::any_of(findings.unevaluated.begin(), findings.unevaluated.end(),
                         [&](const UnevaluatedCheck& check) { return check.id == id; });
    };
    if (!listed("shear")) findings.unevaluated.push_back({"shear", reason});
    for (const char* id : ids) findings.unevaluated.push_back({id, reason});
  };
  const bool web = key.keyh - 2 * key.keytf > 0;
  const bool webWelds = key.keyh - 2 * key.keytf - 2 * key.hfk > 0;
  const bool flangeWelds = key.keyb - 2 * key.hfk > 0;
  if (!web) {
    cannot({"keyWebShear", "keyBending", "keyFlangeWeld", "keyWebWeld"}, "抗剪键截面高度 h ≤ 2tf，腹板高度 h − 2tf ≤ 0");
  } else {
    if (!webWelds) cannot({"keyWebWeld"}, "抗剪键腹板焊缝计算长度 h − 2tf − 2hf ≤ 0");
    if (!flangeWelds) cannot({"keyFlangeWeld"}, "抗剪键翼缘焊缝计算长度 bk − 2hf ≤ 0");
  }
  if (!web || !webWelds || !flangeWelds) key.Vku = 0;
}

}  // namespace

std::vector<SizeName> shearKeySizeNames() {
  return {{"keyh", "抗剪键截面高度h", true}, {"keyb", "抗剪键翼缘宽度bk", true}, {"keytw", "抗剪键腹板厚度tw", true},
          {"keytf", "抗剪键翼缘厚度tf", true}, {"hk", "抗剪键埋深hk", true},        {"hfk", "抗剪键焊脚高度hf", true}};
}

void addShearKeySizes(const ShearKey& key, std::vector<NamedSize>& sizes) {
  const double values[] = {key.keyh, key.keyb, key.keytw, key.keytf, key.hk, key.hfk};
  static_assert(std::size(values) == shearKeySizeCount && std::size(keySizeNames) == shearKeySizeCount);
  for (std::size_t i = 0; i < std::size(values); ++i) sizes.emplace_back(keySizeNames[i], values[i]);
}

std::optional<GivenShearKey> givenShearKey(const Sizes& sizes) {
  double values[std::size(keySizeNames)] = {};
  bool any = false;
  for (std::size_t i = 0; i < std::size(keySizeNames); ++i)
    if (const auto found = sizes.find(std::string_view(keySizeNames[i])); found != sizes.end()) {
      values[i] = found->second;
      any = true;
    }
  if (!any) return std::nullopt;
  return GivenShearKey{values[0], values[1], values[2], values[3], values[4], values[5]};
}

void checkGivenShearKey(const tables::SteelGrade& steel, const KeySeat& seat, const GivenShearKey& given,
                        ShearKey& key, GivenSizeFindings& findings) {
  const double tg = key.tg;
  key = ShearKey{};
  key.tg = tg;
  key.given = true;
  if (!(given.keyh > 0)) return;  // no key: the friction check decides
  const tables::HSection section{"", given.keyh, given.keyb, given.keytw, given.keytf};
  takeSection(steel, section, seat.tpb, key);
  key.hfk = given.hfk;
  keyStresses(section, given.hk, seat, key);
  key.keyName = sectionName(section);
  keyLengthsLeft(key, findings);
  const double least = keyWeldLeg(seat.tpb, key.keytw, key.keytf);
  const double largest = largestKeyLeg(seat.tpb, key.keytw, key.keytf);
  findings.rules.push_back(atLeastRule("ruleHfk", "抗剪键焊脚尺寸",
                                       "hf ≥ min(EvenUp(max(6, 1.5·√t)), 1.2·min(tw, tf, t))，t = " +
                                           formatGeneral(seat.tpb),
                                       key.hfk, least, {"edtkey"}));
  findings.rules.push_back(atMostRule("ruleHfkMax", "抗剪键焊脚不大于较薄焊件厚度的 1.2 倍",
                                      "hf ≤ 1.2·min(tw, tf, t)", key.hfk, largest, {"edtkey"}));
}

double shearKeyMass(const ShearKey& key) {
  const double area = 2 * key.keyb * key.keytf + (key.keyh - 2 * key.keytf) * key.keytw;
  return steelDensity * area * (key.tg + key.hk);
}

std::string shearKeyText(const ShearKey& key) {
  if (!keyDesigned(key)) return key.given ? "未设置" : "不需设置";
  return key.keyName + "，埋深 " + formatGeneral(key.hk) + " mm";
}

namespace {

// Each held number of the key with its name, in the order of the list of values.
template <class Visit>
void eachKeyNumber(const ShearKey& k, Visit&& number) {
  number("tg", k.tg), number("keyh", k.keyh), number("keyb", k.keyb), number("keytw", k.keytw);
  number("keytf", k.keytf), number("hk", k.hk), number("hfk", k.hfk), number("Vk", k.Vk);
  number("sigck", k.sigck), number("tauk", k.tauk), number("Mk", k.Mk), number("Wxk", k.Wxk);
  number("sigk", k.sigk), number("sigfk", k.sigfk), number("taufk", k.taufk), number("fk", k.fk);
  number("fvk", k.fvk), number("Vkc", k.Vkc), number("Vkv", k.Vkv), number("Vkm", k.Vkm);
  number("Vkf", k.Vkf), number("Vkw", k.Vkw), number("Vku", k.Vku);
}

}  // namespace

std::vector<NamedValue> shearKeyValues(const ShearKey& k) {
  std::vector<NamedValue> list;
  list.reserve(24);
  eachKeyNumber(k, [&list](std::string_view name, double x) { list.push_back({name, x}); });
  list.push_back({"keyName", k.keyName});  // the section's name after the numbers
  return list;
}

void scanShearKeyValues(const ShearKey& k, HeldNumbersScan& scan) {
  eachKeyNumber(k, [&scan](std::string_view, double x) { scan(x); });
}

void appendShearKeyChecks(std::vector<DesignCheck>& list, const ShearKey& key, const KeySeat& seat,
                          std::string frictionFormula) {
  const bool designed = keyDesigned(key);
  if (list.capacity() < list.size() + shearKeyCheckCount) list.reserve(list.size() + shearKeyCheckCount);
  if (designed) {
    list.push_back(limitCheck("shear", "抗剪键", "V ≤ Vku（V > Vfb：设置抗剪键，由抗剪键承受全部剪力，不计摩擦力）",
                              seat.V, key.Vku, "kN", ValueFormat::KN2, {"edtkey"}));
  } else {
    DesignCheck& shear =
        list.emplace_back(limitCheck("shear", "抗剪键", std::move(frictionFormula), seat.V, seat.Vfb, "kN", ValueFormat::KN2, {}));
    // A base given without a key, where friction falls short, fails: the key is not added for it.
    if (!key.given || !(seat.V > seat.Vfb)) shear.decision = notNeeded;
    else shear.fields = {"edtkey"};
  }
  const double betaFfw = tables::betaF * seat.ffw;
  // The key's own checks point at their fixed words: built for every candidate of a search.
  const auto own = [&list](const char* id, const char* name, const char* formula, double demand, double limit,
                           ValueFormat format) {
    list.push_back(limitCheck(id, name, formula, demand, limit, stressUnit, format, {"edtkey"}));
  };
  own("keyBearing", "抗剪键混凝土承压", "σc = V/(bk·hk) ≤ fc", key.sigck, seat.fc, ValueFormat::Cut2);
  own("keyWebShear", "抗剪键腹板抗剪", "τ = V/((h − 2tf)·tw) ≤ fv", key.tauk, key.fvk, ValueFormat::Cut3);
  own("keyBending", "抗剪键抗弯", "σ = M/Wx ≤ f，M = V·(tg + hk/2)", key.sigk, key.fk, ValueFormat::Cut3);
  own("keyFlangeWeld", "抗剪键翼缘焊缝", "σf = M/(h·0.7hf·2(bk − 2hf)) ≤ βf·ffw", key.sigfk, betaFfw,
      ValueFormat::Cut3);
  own("keyWebWeld", "抗剪键腹板焊缝", "τf = V/(2·0.7hf·(h − 2tf − 2hf)) ≤ ffw", key.taufk, seat.ffw, ValueFormat::Cut3);
  if (designed) return;
  // Without a key its parts are decisions with nothing to compare.
  for (auto part = list.end() - static_cast<std::ptrdiff_t>(shearKeyCheckCount - 1); part != list.end(); ++part) {
    part->decision = key.given && seat.V > seat.Vfb ? noKeyGiven : notNeeded;
    part->unnumbered = true;
  }
}

std::vector<DesignCheck> shearKeyChecks(const ShearKey& key, const KeySeat& seat, std::string frictionFormula) {
  std::vector<DesignCheck> list;
  appendShearKeyChecks(list, key, seat, std::move(frictionFormula));
  return list;
}

void writeShearKeyValues(std::vector<DesignCheck>& checks, const ShearKey& key, const KeySeat& seat) {
  if (!keyDesigned(key)) {
    for (DesignCheck& check : checks)
      if (check.id == "shear" && !check.decision && check.values.empty()) writeValues(check, "V", "Vfb");
    return;
  }
  const std::string V = kNOperand(seat.V);
  const std::string M = kNmOperand(key.Mk);
  const std::string h = operand(key.keyh), b = operand(key.keyb), tw = operand(key.keytw), tf = operand(key.keytf);
  const std::string hf = operand(key.hfk);
  for (DesignCheck& check : checks) {
    if (check.id == "shear") {
      writeValues(check, "V", "Vku");
    } else if (check.id == "keyBearing") {
      writeValues(check, "σc = V/(bk·hk) = " + V + "/(" + b + "×" + operand(key.hk) + ")", "fc");
    } else if (check.id == "keyWebShear") {
      writeValues(check, "τ = V/((h − 2tf)·tw) = " + V + "/((" + h + " − 2×" + tf + ")×" + tw + ")", "fv");
    } else if (check.id == "keyBending") {
      writeValues(check, "σ = M/Wx = " + M + "/" + operand(ValueFormat::Cut2, key.Wxk), "f");
    } else if (check.id == "keyFlangeWeld") {
      writeValues(check,
                  "σf = M/(h·0.7hf·2(bk − 2hf)) = " + M + "/(" + h + "×0.7×" + hf + "×2×(" + b + " − 2×" + hf + "))",
                  "βf·ffw = " + operand(tables::betaF) + "×" + operand(seat.ffw));
    } else if (check.id == "keyWebWeld") {
      writeValues(
          check,
          "τf = V/(2·0.7hf·(h − 2tf − 2hf)) = " + V + "/(2×0.7×" + hf + "×(" + h + " − 2×" + tf + " − 2×" + hf + "))",
          "ffw");
    }
  }
}

namespace {

using enum ValueFormat;

// The leg and the rule that set it: the plate's 1.5√tpb in even millimetres, held to 1.2·tw.
std::string legValues(const ShearKey& key, const KeySeat& seat) {
  const double wanted = roundUpToEven(std::max(smallestKeyLeg, tables::smallestFilletLeg(seat.tpb)));
  const std::string rule = "hf = EvenUp(max(6, 1.5√tpb)) = EvenUp(max(6, 1.5×√" + operand(seat.tpb) +
                           ")) = " + formatGeneral(wanted) + " mm";
  const std::string largest =
      "1.2tw = 1.2×" + operand(key.keytw) + " = " + formatGeneral(tables::largestLegFactor * key.keytw) + " mm";
  if (wanted <= key.hfk) return rule + " ≤ " + largest;
  std::string text = rule + " > " + largest + "，取 hf = " + formatGeneral(key.hfk) + " mm";
  const double plateLeg = tables::smallestFilletLeg(seat.tpb);
  if (key.hfk < plateLeg)
    text += "（小于 1.5√tpb = 1.5×√" + operand(seat.tpb) + " = " + formatValue(Cut2, plateLeg) +
            " mm：焊接时底板应预热，或采用低氢型焊条）";
  return text;
}

// A given leg beside the least and the largest a design would give it.
std::string givenLegValues(const ShearKey& key, const KeySeat& seat) {
  return "hf = " + formatGeneral(key.hfk) + " mm（给定）；min(EvenUp(max(6, 1.5√tpb)), 1.2·min(tw, tf, tpb)) = " +
         formatGeneral(keyWeldLeg(seat.tpb, key.keytw, key.keytf)) + " mm，1.2·min(tw, tf, tpb) = " +
         formatGeneral(largestKeyLeg(seat.tpb, key.keytw, key.keytf)) + " mm";
}

// What the section on the key says first: whether a key is needed, and how it was found.
std::string keyIntroduction(const ShearKey& key, const KeySeat& seat) {
  const bool needed = seat.V > seat.Vfb;
  if (key.given && !keyDesigned(key))
    return needed ? "V > Vfb：未设抗剪键，底板下的摩擦力不足以承担剪力 V，须设置抗剪键。"
                  : "V ≤ Vfb：未设抗剪键，剪力由底板下的摩擦力承担。";
  if (key.given)
    return std::string(needed ? "V > Vfb" : "V ≤ Vfb") +
           "：给定抗剪键，由抗剪键承受全部剪力 V，不计底板下的摩擦力；按给定截面、埋深和焊脚尺寸验算，不作调整。";
  if (!keyDesigned(key)) return "V ≤ Vfb：剪力由底板下的摩擦力承担，不需设置抗剪键。";
  if (!(seat.V > key.Vku))
    return "V > Vfb：设置抗剪键，由抗剪键承受全部剪力 V，不计底板下的摩擦力；抗剪键取下列型钢中"
           "满足各项验算的最轻者，埋入深度从 100 mm 起每次加深 10 mm，至多为型钢高度。";
  return "V > Vfb：需设置抗剪键，由抗剪键承受全部剪力 V，不计底板下的摩擦力；所列型钢中没有满足"
         "各项验算的，以下为最大型钢在承载力最大的埋深时的验算。";
}

// The largest shear of each part, in kN, as they stand in Vku's minimum.
std::string capacityValues(const ShearKey& k) {
  std::string text =
      "min(fc·bk·hk, fv·(h − 2tf)·tw, f·Wx/(tg + hk/2), βf·ffw·h·0.7hf·2(bk − 2hf)/(tg + hk/2), "
      "ffw·2·0.7hf·(h − 2tf − 2hf)) = min(";
  const double parts[] = {k.Vkc, k.Vkv, k.Vkm, k.Vkf, k.Vkw};
  for (std::size_t i = 0; i < std::size(parts); ++i) text += (i == 0 ? "" : ", ") + formatValue(KN2, parts[i]);
  return text + ")";
}

}  // namespace

void emitShearKeyTags(const ShearKey& key, const KeySeat& seat, const TagEmitter& sink) {
  sink("<#tg>", formatGeneral(key.tg));
  const bool designed = keyDesigned(key);
  sink("<#keyText>", keyIntroduction(key, seat));
  const auto size = [&](double x, ValueFormat format) { return designed ? formatValue(format, x) : std::string("—"); };
  sink("<#key>", shearKeyText(key));
  sink("<#keyName>", designed ? key.keyName : std::string("—"));
  // The stresses stand in the checks' lines; the sizes and strengths they are made of, here.
  const std::pair<const char*, double> plain[] = {
      {"<#keyh>", key.keyh}, {"<#keyb>", key.keyb}, {"<#keytw>", key.keytw}, {"<#keytf>", key.keytf},
      {"<#hk>", key.hk},     {"<#fk>", key.fk},     {"<#fvk>", key.fvk}};
  for (const auto& [tag, x] : plain) sink(tag, size(x, Plain));
  sink("<#Vk>", size(key.Vk, KN2));
  sink("<#Mk>", size(key.Mk, KNm3));
  sink("<#Wxk>", size(key.Wxk, Cut2));
  sink("<#Vku>", size(key.Vku, KN2));
  const std::string b = operand(key.keyb), h = operand(key.keyh);
  sink("<#Wxkvalues>", designed ? "(" + b + "×" + h + "³ − (" + b + " − " + operand(key.keytw) + ")×(" + h + " − 2×" +
                                      operand(key.keytf) + ")³)/(6×" + h + ")"
                                : "—");
  sink("<#Mkvalues>",
       designed ? operand(KN3, seat.V) + "×(" + operand(key.tg) + " + " + operand(key.hk) + "/2)×10⁻³" : "—");
  sink("<#hfkvalues>", !designed ? "—" : key.given ? givenLegValues(key, seat) : legValues(key, seat));
  sink("<#Vkuvalues>", designed ? capacityValues(key) : "—");
  sink("<#keyMass>", designed ? formatWeight(shearKeyMass(key)) : "—");
}

namespace {

// A given key, or a base given without one, is mended by its own sizes.
void attachGivenKeyRemedies(const ShearKey& key, const KeySeat& seat, std::vector<DesignCheck>& checks) {
  const std::string V = remedy::num(seat.V / 1000);
  if (!keyDesigned(key)) {
    // Without a key the friction either carries V (nothing to mend) or falls short of it.
    if (!(seat.V > seat.Vfb)) return;
    remedy::attach(checks, {{"shear", "底板下的摩擦力 Vfb = " + remedy::num(seat.Vfb / 1000) + " kN 小于剪力 V = " + V +
                                          " kN：须设置抗剪键（给出抗剪键的截面、埋深和焊脚尺寸）"}});
    return;
  }
  remedy::attach(checks,
                 {{"shear", "剪力 V = " + V + " kN，给定抗剪键最多承受 Vku = " + remedy::num(key.Vku / 1000) +
                                " kN：按各分项的处理建议加大抗剪键"},
                  {"keyBearing", "加大埋深 hk = " + remedy::num(key.hk) + " mm 或翼缘宽度 bk = " +
                                     remedy::num(key.keyb) + " mm"},
                  {"keyWebShear", "换用腹板更厚或截面更高的型钢（腹板 " + remedy::num(key.keytw) + " mm）"},
                  {"keyBending", "换用截面模量 Wx 更大的型钢"},
                  {"keyFlangeWeld", "加大焊脚尺寸 hf = " + remedy::num(key.hfk) + " mm，或换用截面更高、更宽的型钢"},
                  {"keyWebWeld", "加大焊脚尺寸 hf = " + remedy::num(key.hfk) + " mm，或换用截面更高的型钢"}});
}

}  // namespace

void attachShearKeyRemedies(const ShearKey& key, const KeySeat& seat, std::vector<DesignCheck>& checks) {
  if (key.given) return attachGivenKeyRemedies(key, seat, checks);
  if (!keyDesigned(key)) return;
  // A key fails only where nothing in the list holds: it is then the largest of the list.
  const std::string largest = key.keyName + "（埋深 " + formatGeneral(key.hk) + " mm）";
  const std::string shear = "剪力 V = " + remedy::num(seat.V / 1000) + " kN，列表中最大的抗剪键 " + largest +
                            "最多承受 Vku = " + remedy::num(key.Vku / 1000) +
                            " kN：须另行设计抗剪键（更大的截面或并列多个抗剪键），或提高混凝土强度等级、钢材牌号";
  const std::string part = "列表中最大的抗剪键 " + largest + "也不满足：见“抗剪键”的处理建议";
  remedy::attach(checks, {{"shear", shear},
                          {"keyBearing", part},
                          {"keyWebShear", part},
                          {"keyBending", part},
                          {"keyFlangeWeld", part},
                          {"keyWebWeld", part}});
}

}  // namespace pedivo

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

double sectionModulus(double h, double b, double tw, double tf) {
  const double web = h - 2 * tf;
  return (b * h * h * h - (b - tw) * web * web * web) / (6 * h);
}

// The stresses of the section at embedment hk under the whole shear, and the largest shear each
// part allows: the least of them is what the key carries.
void keyStresses(const tables::HSection& s, double hk, const KeySeat& seat, ShearKey& key) {
  const double V = seat.V;
  const double throat = tables::filletThroat * key.hfk;
  const double arm = key.tg + hk / 2;  // from the plate's underside to the middle of the embedment
  const double flangeWelds = s.h * throat * 2 * (s.b - 2 * key.hfk);
  const double webWelds = 2 * throat * (s.h - 2 * s.tf - 2 * key.hfk);
  key.hk = hk;
  key.Vk = V;
  key.sigck = V / (s.b * hk);
  key.tauk = V / ((s.h - 2 * s.tf) * s.tw);
  key.Mk = V * arm;
  key.sigk = key.Mk / key.Wxk;
  key.sigfk = key.Mk / flangeWelds;
  key.taufk = V / webWelds;
  key.Vkc = seat.fc * s.b * hk;
  key.Vkv = key.fvk * (s.h - 2 * s.tf) * s.tw;
  key.Vkm = key.fk * key.Wxk / arm;
  key.Vkf = tables::betaF * seat.ffw * flangeWelds / arm;
  key.Vkw = seat.ffw * webWelds;
  key.Vku = std::min({key.Vkc, key.Vkv, key.Vkm, key.Vkf, key.Vkw});
}

bool keyHolds(const ShearKey& key, const KeySeat& seat) {
  return key.sigck <= seat.fc && key.tauk <= key.fvk && key.sigk <= key.fk && key.sigfk <= tables::betaF * seat.ffw &&
         key.taufk <= seat.ffw;
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
  // 1.2·t in whole millimetres; the tenth-millimetre guard keeps 1.2×10 at 12.
  const double largest = std::floor(tables::largestLegFactor * std::min({tw, tf, tpb}) + 1e-9);
  return std::min(leg, largest);
}

void designShearKey(const tables::SteelGrade& steel, const KeySeat& seat, ShearKey& key) {
  const double tg = key.tg;
  key = ShearKey{};
  key.tg = tg;
  if (!(seat.V > seat.Vfb)) return;
  const auto sections = tables::shearKeySections();
  for (const tables::HSection& section : sections) {
    takeSection(steel, section, seat.tpb, key);
    for (double hk = firstEmbedment; hk <= section.h; hk += embedmentStep) {
      keyStresses(section, hk, seat, key);
      if (keyHolds(key, seat)) {
        key.keyName = section.name;
        return;
      }
    }
  }
  // Nothing in the list holds: the largest section, embedded where it carries the most.
  const tables::HSection& largest = sections.back();
  takeSection(steel, largest, seat.tpb, key);
  double best = firstEmbedment;
  double most = -1;
  for (double hk = firstEmbedment; hk <= largest.h; hk += embedmentStep) {
    keyStresses(largest, hk, seat, key);
    if (key.Vku > most) most = key.Vku, best = hk;
  }
  keyStresses(largest, best, seat, key);
  key.keyName = largest.name;
}

double shearKeyMass(const ShearKey& key) {
  const double area = 2 * key.keyb * key.keytf + (key.keyh - 2 * key.keytf) * key.keytw;
  return steelDensity * area * (key.tg + key.hk);
}

std::string shearKeyText(const ShearKey& key) {
  if (!keyDesigned(key)) return "不需设置";
  return key.keyName + "，埋深 " + formatGeneral(key.hk) + " mm";
}

std::vector<NamedValue> shearKeyValues(const ShearKey& k) {
  return {{"tg", k.tg}, {"keyh", k.keyh}, {"keyb", k.keyb}, {"keytw", k.keytw},    {"keytf", k.keytf},
          {"hk", k.hk}, {"hfk", k.hfk},   {"Vk", k.Vk},     {"sigck", k.sigck},    {"tauk", k.tauk},
          {"Mk", k.Mk}, {"Wxk", k.Wxk},   {"sigk", k.sigk}, {"sigfk", k.sigfk},    {"taufk", k.taufk},
          {"fk", k.fk}, {"fvk", k.fvk},   {"Vkc", k.Vkc},   {"Vkv", k.Vkv},        {"Vkm", k.Vkm},
          {"Vkf", k.Vkf}, {"Vkw", k.Vkw}, {"Vku", k.Vku}, {"keyName", k.keyName}};
}

std::vector<DesignCheck> shearKeyChecks(const ShearKey& key, const KeySeat& seat, const std::string& frictionFormula) {
  const bool designed = keyDesigned(key);
  std::vector<DesignCheck> list;
  list.reserve(6);  // the key and its five parts
  if (designed) {
    list.push_back(limitCheck("shear", "抗剪键", "V ≤ Vku（V > Vfb：设置抗剪键，由抗剪键承受全部剪力，不计摩擦力）",
                              seat.V, key.Vku, "kN", ValueFormat::KN2, {"edtkey"}));
  } else {
    DesignCheck shear = limitCheck("shear", "抗剪键", frictionFormula, seat.V, seat.Vfb, "kN", ValueFormat::KN2, {});
    shear.decision = notNeeded;
    list.push_back(std::move(shear));
  }
  const double betaFfw = tables::betaF * seat.ffw;
  const std::vector<std::string> field{"edtkey"};
  std::vector<DesignCheck> own = checkList(
      limitCheck("keyBearing", "抗剪键混凝土承压", "σc = V/(bk·hk) ≤ fc", key.sigck, seat.fc, stressUnit,
                 ValueFormat::Cut2, field),
      limitCheck("keyWebShear", "抗剪键腹板抗剪", "τ = V/((h − 2tf)·tw) ≤ fv", key.tauk, key.fvk, stressUnit,
                 ValueFormat::Cut3, field),
      limitCheck("keyBending", "抗剪键抗弯", "σ = M/Wx ≤ f，M = V·(tg + hk/2)", key.sigk, key.fk, stressUnit,
                 ValueFormat::Cut3, field),
      limitCheck("keyFlangeWeld", "抗剪键翼缘焊缝", "σf = M/(h·0.7hf·2(bk − 2hf)) ≤ βf·ffw", key.sigfk, betaFfw,
                 stressUnit, ValueFormat::Cut3, field),
      limitCheck("keyWebWeld", "抗剪键腹板焊缝", "τf = V/(2·0.7hf·(h − 2tf − 2hf)) ≤ ffw", key.taufk, seat.ffw,
                 stressUnit, ValueFormat::Cut3, field));
  for (DesignCheck& check : own) {
    if (designed) continue;
    check.decision = notNeeded;
    check.unnumbered = true;
  }
  appendChecks(list, std::move(own));
  return list;
}

void writeShearKeyValues(std::vector<DesignCheck>& checks, const ShearKey& key, const KeySeat& seat) {
  if (!keyDesigned(key)) return;
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
  const bool holds = designed && !(seat.V > key.Vku);
  sink("<#keyText>", !designed ? "V ≤ Vfb：剪力由底板下的摩擦力承担，不需设置抗剪键。"
                     : holds   ? "V > Vfb：设置抗剪键，由抗剪键承受全部剪力 V，不计底板下的摩擦力；抗剪键取下列型钢中"
                                 "满足各项验算的最轻者，埋入深度从 100 mm 起每次加深 10 mm，至多为型钢高度。"
                               : "V > Vfb：需设置抗剪键，由抗剪键承受全部剪力 V，不计底板下的摩擦力；所列型钢中没有满足"
                                 "各项验算的，以下为最大型钢在承载力最大的埋深时的验算。");
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
  sink("<#hfkvalues>", designed ? legValues(key, seat) : "—");
  sink("<#Vkuvalues>", designed ? capacityValues(key) : "—");
  sink("<#keyMass>", designed ? formatWeight(shearKeyMass(key)) : "—");
}

void attachShearKeyRemedies(const ShearKey& key, const KeySeat& seat, std::vector<DesignCheck>& checks) {
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

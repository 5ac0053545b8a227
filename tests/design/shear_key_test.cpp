// The shear key of the exposed bases: when it is needed, how it is chosen, what it weighs, how it
// fails and how the windows and the report show it. The sizes and stresses of worked cases are in
// the hand calculations (HandCalculation.ShearKeys).

#include "design/common/shear_key.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfenv>
#include <map>
#include <string>

#include "design/common/input_checks.h"
#include "design/common/tables.h"
#include "design_probe.h"

namespace pedivo {
namespace {

using testing::Design;
using testing::Texts;

Design design(const char* module, const Texts& texts) { return testing::design(*findModule(module), texts); }

const DesignCheck& checkOf(const Design& d, const std::string& id) {
  for (const auto& check : d.session.checks())
    if (check.id == id) return check;
  static const DesignCheck none;
  ADD_FAILURE() << "no check " << id;
  return none;
}

constexpr const char* keyIds[] = {"keyBearing", "keyWebShear", "keyBending", "keyFlangeWeld", "keyWebWeld"};

// V = 0.4N exactly: friction carries the shear, no key is designed, and the grout weighs nothing.
TEST(ShearKey, NoKeyWhereFrictionCarriesTheShear) {
  const Design d = design("j1", {{"EdtN", "100"}, {"EdtV", "40"}});
  const Design deeperGrout = design("j1", {{"EdtN", "100"}, {"EdtV", "40"}, {"Edttg", "120"}});
  EXPECT_EQ(d.field("edtshear"), "不需要");
  EXPECT_EQ(d.field("edtkey"), "不需设置");
  EXPECT_EQ(d.text("keyName"), "");
  for (const char* name : {"keyh", "keyb", "keytw", "keytf", "hk", "hfk", "Vk", "sigck", "Mk", "Vku"})
    EXPECT_EQ(d[name], 0) << name;
  EXPECT_EQ(d["tg"], 50);
  // The plate alone.
  EXPECT_NEAR(*d.session.weight(), d["L"] * d["B"] * d["tpb"] * 7850e-9, 1e-12);
  EXPECT_EQ(*deeperGrout.session.weight(), *d.session.weight());
  EXPECT_EQ(*checkOf(d, "shear").decision, "不需设置抗剪键");
  for (const char* id : keyIds) {
    EXPECT_TRUE(checkOf(d, id).ok()) << id;
    EXPECT_EQ(d.tag(std::string("<#") + id + ".check>"), "不需设置抗剪键") << id;
    EXPECT_EQ(d.tag(std::string("<#") + id + ".demand>"), "—") << id;
  }
  EXPECT_EQ(d.tag("<#keyName>"), "—");
  EXPECT_EQ(d.tag("<#key>"), "不需设置");
  EXPECT_EQ(d.tag("<#keyText>").rfind("V ≤ Vfb", 0), 0u);
  EXPECT_EQ(d.tag("<#summary>"), "各项验算均满足要求。");
}

// Where a key is designed the shear is the key's alone, and the summary may read as all passing.
TEST(ShearKey, ADesignedKeyTakesTheWholeShear) {
  const Design d = design("j1", {});  // V = 40 kN > 0.4N = 32 kN
  EXPECT_EQ(d.field("edtshear"), "需要");
  EXPECT_EQ(d.field("edtkey"), "HW100×100×6×8，埋深 100 mm");
  EXPECT_EQ(d["Vk"], 40000);
  const DesignCheck& shear = checkOf(d, "shear");
  EXPECT_FALSE(shear.decision.has_value());
  EXPECT_FALSE(shear.outstanding);
  EXPECT_EQ(shear.demand, 40000);
  EXPECT_EQ(shear.limit, d["Vku"]);
  const auto withValues = d.check("shear");
  ASSERT_TRUE(withValues);
  EXPECT_EQ(withValues->values, "V = 40 kN ≤ Vku = 63 kN");
  EXPECT_EQ(d.tag("<#shear.check>"), "满足（利用率 0.64）");
  EXPECT_EQ(d.tag("<#keyText>").rfind("V > Vfb：设置抗剪键，由抗剪键承受全部剪力 V，不计底板下的摩擦力", 0), 0u);
  EXPECT_EQ(d.tag("<#summary>"), "各项验算均满足要求。");
  // The moment at the plate's underside from the grout and half the embedment, in kN·m.
  EXPECT_EQ(d.tag("<#Mkvalues>"), "40×(50 + 100/2)×10⁻³");
  EXPECT_EQ(d.tag("<#Mk>"), "4");
}

// More shear than the largest key carries: "抗剪键" fails, names the shear and the largest key,
// and the key's caption turns red.
TEST(ShearKey, NothingInTheListHoldsFailsWithTheLargestKeyNamed) {
  const Design d = design("g11", {{"EdtV", "500"}});
  ASSERT_TRUE(d.session.designed());
  EXPECT_EQ(d.text("keyName"), "HW300×300×10×15");
  EXPECT_EQ(d.field("edtkey"), "HW300×300×10×15，埋深 100 mm");
  const DesignCheck& shear = checkOf(d, "shear");
  EXPECT_FALSE(shear.ok());
  EXPECT_EQ(shear.limit, d["Vku"]);
  EXPECT_NE(shear.remedy.find("剪力 V = 500 kN"), std::string::npos) << shear.remedy;
  EXPECT_NE(shear.remedy.find("HW300×300×10×15"), std::string::npos) << shear.remedy;
  EXPECT_NE(shear.remedy.find("337.5 kN"), std::string::npos) << shear.remedy;  // fv·(h − 2tf)·tw = 125×270×10
  EXPECT_FALSE(checkOf(d, "keyWebShear").ok());
  EXPECT_TRUE(checkOf(d, "keyBending").ok());
  const auto& red = d.session.results().redCaptions;
  EXPECT_NE(std::find(red.begin(), red.end(), "edtkey"), red.end());
  EXPECT_EQ(d.tag("<#summary>").rfind("有 ", 0), 0u) << d.tag("<#summary>");
  EXPECT_NE(d.tag("<#summary>").find("抗剪键"), std::string::npos);
  EXPECT_NE(d.tag("<#keyText>").find("所列型钢中没有满足各项验算的"), std::string::npos) << d.tag("<#keyText>");
  EXPECT_EQ(d.tag("<#shear.remedy>"), "；处理建议：" + shear.remedy);
}

// Where nothing holds, the largest key goes as deep as carries the most, its full depth included:
// on concrete this weak the bearing governs at every depth, so the deepest carries the most.
TEST(ShearKey, NothingHoldingTheLargestKeyMayGoItsFullDepth) {
  const auto steel = tables::steelGrade(tables::CodeEdition::Gb2003, "Q235");
  ASSERT_TRUE(steel);
  const tables::HSection& largest = tables::shearKeySections().back();
  ShearKey key;
  key.tg = 50;
  designShearKey(*steel, KeySeat{.V = 5e6, .Vfb = 0, .tpb = 30, .fc = 2, .ffw = 160}, key);
  EXPECT_EQ(key.keyName, largest.name);
  EXPECT_EQ(key.hk, largest.h);
  EXPECT_DOUBLE_EQ(key.Vku, 2 * largest.b * largest.h);  // fc·b·hk
}

// Every number the key keeps is of the embedment taken, where it holds and where nothing does:
// the shears each part allows are worked out for that embedment alone.
TEST(ShearKey, TheKeyTakenKeepsTheNumbersOfItsOwnEmbedment) {
  const auto steel = tables::steelGrade(tables::CodeEdition::Gb2003, "Q235");
  ASSERT_TRUE(steel);
  for (const double V : {40e3, 150e3, 300e3, 600e3}) {
    ShearKey key;
    key.tg = 50;
    const KeySeat seat{.V = V, .Vfb = 0, .tpb = 30, .fc = 11.9, .ffw = 160};
    designShearKey(*steel, seat, key);
    ASSERT_TRUE(keyDesigned(key)) << V;
    const double arm = key.tg + key.hk / 2;
    EXPECT_EQ(key.Mk, V * arm) << V;
    EXPECT_EQ(key.sigck, V / (key.keyb * key.hk)) << V;
    EXPECT_EQ(key.Vkc, seat.fc * key.keyb * key.hk) << V;
    EXPECT_EQ(key.Vkm, key.fk * key.Wxk / arm) << V;
    EXPECT_EQ(key.Vku, std::min({key.Vkc, key.Vkv, key.Vkm, key.Vkf, key.Vkw})) << V;
    // Taken where it holds, the key carries the whole shear; 600 kN is more than any key carries.
    if (V < 600e3) EXPECT_GE(key.Vku, V) << V;
    else EXPECT_LT(key.Vku, V);
  }
}

// A lever arm of nought (grout as deep as half the embedment, upwards) divides by it: the
// calculation's guard sees that division whichever way the embedment is found.
TEST(ShearKey, ANoughtLeverArmIsADivisionTheGuardSees) {
  const auto steel = tables::steelGrade(tables::CodeEdition::Gb2003, "Q235");
  ASSERT_TRUE(steel);
  ShearKey key;
  key.tg = -50;  // arm = tg + hk/2 = 0 at the first embedment, 100 mm
  std::feclearexcept(FE_ALL_EXCEPT);
  designShearKey(*steel, KeySeat{.V = 40e3, .Vfb = 0, .tpb = 30, .fc = 11.9, .ffw = 160}, key);
  EXPECT_NE(std::fetestexcept(FE_DIVBYZERO), 0);
  std::feclearexcept(FE_ALL_EXCEPT);
}

// N + Ta below zero: the plate is pulled off the grout and has no friction, never a negative one.
TEST(ShearKey, APullingForceLeavesNoFriction) {
  const Design d = design("g3", {{"EdtN", "-100"}, {"EdtM", "25"}});
  ASSERT_TRUE(d.session.designed());
  ASSERT_LT(d["N"] + d["ta"], 0);
  EXPECT_EQ(d["Vfb"], 0);
  EXPECT_EQ(d.tag("<#Vfb>"), "0");
  EXPECT_EQ(d.field("edtkey"), "HW100×100×6×8，埋深 100 mm");
  EXPECT_TRUE(checkOf(d, "shear").ok());
}

// The key adds its section over its length tg + hk to the design's steel, and only the key: the
// same design with less shear has no key.
TEST(ShearKey, TheKeyWeighsItsSectionOverItsLength) {
  const Design withKey = design("g11", {{"EdtV", "150"}});
  const Design without = design("g11", {{"EdtV", "100"}});
  ASSERT_EQ(withKey.text("keyName"), "HW200×200×8×12");
  ASSERT_EQ(without.text("keyName"), "");
  const double area = 2 * 200 * 12 + (200 - 2 * 12) * 8;
  EXPECT_NEAR(*withKey.session.weight() - *without.session.weight(), area * (50 + 100) * 7850e-9, 1e-9);
  const Design deeperGrout = design("g11", {{"EdtV", "150"}, {"Edttg", "100"}});
  EXPECT_NEAR(*deeperGrout.session.weight() - *withKey.session.weight(), area * 50 * 7850e-9, 1e-9);
}

// More shear never gives a lighter key or, on the same section, a shallower one.
TEST(ShearKey, MoreShearNeverGivesALighterKey) {
  const tables::SteelGrade& steel = *tables::steelGrade(tables::CodeEdition::Gb2017, "Q355");
  ShearKey previous;
  for (double V = 5e3; V <= 500e3; V += 5e3) {
    ShearKey key;
    key.tg = 60;
    designShearKey(steel, {V, 0, 30, 14.3, 200}, key);
    ASSERT_TRUE(keyDesigned(key)) << V;
    EXPECT_GE(shearKeyMass(key), shearKeyMass(previous)) << V;
    if (key.keyh == previous.keyh) {
      EXPECT_GE(key.hk, previous.hk) << V;
    }
    EXPECT_GE(key.hk, 100);
    EXPECT_LE(key.hk, key.keyh);
    EXPECT_EQ(key.Vk, V);
    previous = key;
  }
  EXPECT_EQ(previous.keyName, "HW300×300×10×15");
}

// The key sits at the shallowest embedment of its section whose concrete bears: 10 mm less and
// the flange would crush the concrete under it, since the moment on the key only eases as it rises.
TEST(ShearKey, TheKeySitsWhereTheConcreteFirstBears) {
  const tables::SteelGrade& steel = *tables::steelGrade(tables::CodeEdition::Gb2003, "Q235");
  int deeper = 0;
  for (const double fc : {4.0, 7.5, 11.9, 16.7})
    for (double V = 5e3; V <= 600e3; V += 7.5e3) {
      ShearKey key;
      key.tg = 40;
      designShearKey(steel, {V, 0, 25, fc, 160}, key);
      if (!keyDesigned(key) || key.Vku < V) continue;  // nothing in the list holds
      EXPECT_LE(key.sigck, fc) << V << " " << fc;
      if (key.hk > 100) {
        ++deeper;
        EXPECT_GT(V / (key.keyb * (key.hk - 10)), fc) << V << " " << fc;
      }
    }
  EXPECT_GT(deeper, 20);  // the sweep reaches embedments below the first
}

// A stress equal to its strength holds: the concrete bearing at exactly fc keeps the lightest
// key, a hair less fc asks for the next section (the lightest is only 100 deep). The key's
// capacity is the least part's.
TEST(ShearKey, BearingAtExactlyTheStrengthHolds) {
  const tables::SteelGrade& steel = *tables::steelGrade(tables::CodeEdition::Gb2003, "Q235");
  ShearKey atStrength;
  atStrength.tg = 50;
  designShearKey(steel, {40000, 0, 20, 4.0, 160}, atStrength);  // σc = 40000/(100×100) = 4.0
  EXPECT_EQ(atStrength.keyName, "HW100×100×6×8");
  EXPECT_EQ(atStrength.hk, 100);
  EXPECT_EQ(atStrength.Vkc, 40000);
  EXPECT_EQ(atStrength.Vku, 40000);
  ShearKey below;
  below.tg = 50;
  designShearKey(steel, {40000, 0, 20, 3.99, 160}, below);
  EXPECT_EQ(below.keyName, "HW125×125×6.5×9");
  EXPECT_EQ(below.hk, 100);
  // fv·(h − 2tf)·tw = 125×107×6.5; f·Wx/(tg + hk/2) over an arm of 100; the least part governs.
  EXPECT_EQ(below.Vkv, 125 * 107 * 6.5);
  EXPECT_NEAR(below.Vkm, 215 * below.Wxk / 100, 1e-9);
  EXPECT_EQ(below.Vku, std::min({below.Vkc, below.Vkv, below.Vkm, below.Vkf, below.Vkw}));
}

// The leg: 1.5√tpb rounded up to even millimetres, at least 6, at most 1.2 times the key's web in
// whole millimetres.
TEST(ShearKey, WeldLegFollowsThePlateWithinTheWeb) {
  EXPECT_EQ(keyWeldLeg(20, 6, 8), 7);      // 8 asked, 1.2×6 = 7.2 allows 7
  EXPECT_EQ(keyWeldLeg(20, 7, 10), 8);     // 1.5√20 = 6.7 → 8 ≤ 8.4
  EXPECT_EQ(keyWeldLeg(26, 8, 12), 8);     // 7.6 → 8
  EXPECT_EQ(keyWeldLeg(46, 10, 15), 12);   // 10.2 → 12 = 1.2×10
  EXPECT_EQ(keyWeldLeg(100, 10, 15), 12);  // 15 → 16, held to 12
  EXPECT_EQ(keyWeldLeg(20, 9, 14), 8);
  EXPECT_EQ(keyWeldLeg(12, 10, 15), 6);    // a given plate thinner than 16: 1.5√12 = 5.2, the least leg 6 governs
}

// A leg held under 1.5√tpb by the key's thin web is stated, with what the welder must do.
TEST(ShearKey, ALegUnderThePlatesMinimumAsksForPreheating) {
  const tables::SteelGrade& steel = *tables::steelGrade(tables::CodeEdition::Gb2003, "Q235");
  ShearKey key;
  key.tg = 50;
  const KeySeat seat{60e3, 0, 40, 11.9, 160};
  designShearKey(steel, seat, key);
  ASSERT_EQ(key.keyName, "HW100×100×6×8");
  EXPECT_EQ(key.hfk, 7);
  std::map<std::string, std::string> tags;
  emitShearKeyTags(key, seat, [&](std::string_view tag, std::string_view text) { tags[std::string(tag)] = text; });
  EXPECT_EQ(tags["<#hfkvalues>"],
            "hf = EvenUp(max(6, 1.5√tpb)) = EvenUp(max(6, 1.5×√40)) = 10 mm > 1.2tw = 1.2×6 = 7.2 mm，取 hf = 7 mm"
            "（小于 1.5√tpb = 1.5×√40 = 9.48 mm：焊接时底板应预热，或采用低氢型焊条）");
  key.tg = 50;
  designShearKey(steel, {60e3, 0, 20, 11.9, 160}, key);
  emitShearKeyTags(key, {60e3, 0, 20, 11.9, 160},
                   [&](std::string_view tag, std::string_view text) { tags[std::string(tag)] = text; });
  EXPECT_EQ(tags["<#hfkvalues>"].find("预热"), std::string::npos) << tags["<#hfkvalues>"];

  // A leg held by the web to exactly 1.5√tpb (1.5×√36 = 9) meets the plate's minimum: no preheating.
  key.hfk = 9;
  key.keytw = 7.5;
  const KeySeat thick{60e3, 0, 36, 11.9, 160};
  emitShearKeyTags(key, thick, [&](std::string_view tag, std::string_view text) { tags[std::string(tag)] = text; });
  EXPECT_EQ(tags["<#hfkvalues>"],
            "hf = EvenUp(max(6, 1.5√tpb)) = EvenUp(max(6, 1.5×√36)) = 10 mm > 1.2tw = 1.2×7.5 = 9 mm，取 hf = 9 mm");
}

// The grout is an entry of every exposed base, under the shear in the forces' group; the embedded
// base has none.
TEST(ShearKey, GroutEntryOfTheExposedBases) {
  for (const char* id : {"j1", "j2", "g11", "g12", "g2", "g3"}) {
    const ModuleDescriptor& module = *findModule(id);
    const ControlSpec* grout = module.findControl("Edttg");
    ASSERT_NE(grout, nullptr) << id;
    EXPECT_EQ(grout->label, "二次灌浆层厚度tg");
    EXPECT_EQ(grout->unit, "（mm）");
    EXPECT_EQ(grout->defaultText, "50");
    const auto forces = std::find_if(module.groups.begin(), module.groups.end(),
                                     [](const ControlGroup& g) { return g.name == "GroupBox1"; });
    ASSERT_NE(forces, module.groups.end());
    EXPECT_EQ(forces->controls.back().name, "Edttg") << id;
    for (const char* text : {"0", "-5", "abc"}) {
      Entries entries = module.defaultEntries();
      entries.texts["Edttg"] = text;
      const auto failure = validateInput(module, entries);
      ASSERT_TRUE(failure) << id << " " << text;
      EXPECT_EQ(failure->focus, "Edttg");
      if (std::string(text) != "abc") {
        EXPECT_EQ(failure->message, "二次灌浆层厚度必须大于0");
      }
    }
  }
  EXPECT_EQ(findModule("gc")->findControl("Edttg"), nullptr);
}

}  // namespace
}  // namespace pedivo

// The shear key of a given base: its sizes come with the base's, a key given is checked as it
// stands and never chosen again, a key of 0 leaves the shear to the friction, and a key given in
// part is refused by the caption of the size that lacks.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>

#include "design/common/calculation.h"
#include "design/common/check_mode.h"
#include "design/common/design_session.h"
#include "design/common/shear_key.h"
#include "design/common/tables.h"
#include "design_probe.h"

namespace pedivo {
namespace {

using testing::Design;

constexpr const char* exposedTypes[] = {"j1", "j2", "g11", "g12", "g2", "g3"};
constexpr const char* keyIds[] = {"keyBearing", "keyWebShear", "keyBending", "keyFlangeWeld", "keyWebWeld"};

// A column whose shear friction cannot carry: every exposed type designs a key under it.
Design keyedDesign(const char* id, const char* V = "200") {
  return testing::design(*findModule(id), {{"EdtN", "150"}, {"EdtV", V}, {"Edthc", "400"}, {"Edtbf", "250"}});
}

const DesignCheck* findCheck(const std::vector<DesignCheck>& checks, std::string_view id) {
  for (const DesignCheck& check : checks)
    if (check.id == id) return &check;
  return nullptr;
}

// A fresh session with the design's entries checking `sizes`.
Outcome checkLike(const Design& design, const Sizes& sizes, DesignSession& check) {
  for (const auto& [control, text] : design.session.entries().texts) check.setText(control, text);
  check.setCbsize(design.session.entries().cbsize);
  return check.check(sizes);
}

// The key a design gave, checked as given: the same key, named alike, and the design's numbers.
TEST(GivenShearKey, AKeyGivenBackIsTheDesignsKey) {
  for (const char* id : exposedTypes) {
    const Design design = keyedDesign(id);
    DesignSession check(*findModule(id));
    ASSERT_EQ(checkLike(design, design.session.sizes(), check).ending, Ending::Completed) << id;
    for (const char* key : keyIds) {
      const DesignCheck* was = findCheck(design.session.checks(), key);
      const DesignCheck* now = findCheck(check.checks(), key);
      ASSERT_TRUE(was && now) << id << key;
      EXPECT_EQ(was->demand, now->demand) << id << key;
      EXPECT_EQ(was->limit, now->limit) << id << key;
    }
    EXPECT_EQ(check.sizes(), design.session.sizes()) << id;
    for (const char* rule : {"ruleHfk", "ruleHfkMax"}) {
      ASSERT_NE(findCheck(check.checks(), rule), nullptr) << id << rule;
      EXPECT_TRUE(findCheck(check.checks(), rule)->ok()) << id << rule;
    }
    const auto values = check.values();
    const auto name = std::find_if(values.begin(), values.end(), [](const NamedValue& v) { return v.name == "keyName"; });
    ASSERT_NE(name, values.end());
    EXPECT_EQ(std::get<std::string>(name->value), design.text("keyName")) << id;
  }
}

// One step less than the design chose fails the check that chose it: an embedment 10 mm shallower
// the concrete's bearing, the section before it in the list the key's capacity, a leg 1 mm
// smaller the leg rule. Never a new key in its place.
TEST(GivenShearKey, AKeyOneStepSmallerFailsTheRightCheck) {
  for (const char* id : exposedTypes) {
    for (const char* V : {"200", "420"}) {
      const Design design = keyedDesign(id, V);
      const Sizes sizes = design.session.sizes();
      const std::string where = std::string(id) + " V = " + V;
      if (sizes.at("hk") > 100) {
        Sizes shallower = sizes;
        shallower["hk"] -= 10;
        DesignSession check(*findModule(id));
        ASSERT_EQ(checkLike(design, shallower, check).ending, Ending::Completed) << where;
        EXPECT_FALSE(findCheck(check.checks(), "keyBearing")->ok()) << where;
        EXPECT_FALSE(findCheck(check.checks(), "shear")->ok()) << where;
        EXPECT_EQ(check.sizes().at("hk"), sizes.at("hk") - 10) << where << ": never chosen again";
      }
      const auto list = tables::shearKeySections();
      const auto at = std::find_if(list.begin(), list.end(), [&](const tables::HSection& s) { return s.h == sizes.at("keyh"); });
      ASSERT_NE(at, list.end()) << where;
      if (at != list.begin() && std::prev(at)->h >= sizes.at("hk")) {
        const tables::HSection& lighter = *std::prev(at);
        Sizes smaller = sizes;
        smaller["keyh"] = lighter.h, smaller["keyb"] = lighter.b, smaller["keytw"] = lighter.tw, smaller["keytf"] = lighter.tf;
        smaller["hfk"] = keyWeldLeg(sizes.at("tpb"), lighter.tw, lighter.tf);
        DesignSession check(*findModule(id));
        ASSERT_EQ(checkLike(design, smaller, check).ending, Ending::Completed) << where;
        EXPECT_FALSE(findCheck(check.checks(), "shear")->ok()) << where << " " << lighter.name;
        EXPECT_EQ(check.sizes().at("keyh"), lighter.h) << where;
      }
      Sizes thinnerLeg = sizes;
      thinnerLeg["hfk"] -= 1;
      DesignSession check(*findModule(id));
      ASSERT_EQ(checkLike(design, thinnerLeg, check).ending, Ending::Completed) << where;
      EXPECT_FALSE(findCheck(check.checks(), "ruleHfk")->ok()) << where;
    }
  }
}

// A key given in part is refused, naming the size that lacks by its caption; a key of 0 leaves the
// shear to friction, failing where friction falls short; a key left out is chosen as a design
// would choose it.
TEST(GivenShearKey, APartlyGivenKeyIsRefusedAndAKeyOfNoneLeavesTheFriction) {
  for (const char* id : exposedTypes) {
    const Design design = keyedDesign(id);
    const Sizes sizes = design.session.sizes();
    DesignSession check(*findModule(id));

    Sizes part = sizes;
    part["keytf"] = 0;
    Outcome refused = checkLike(design, part, check);
    ASSERT_EQ(refused.ending, Ending::Stopped) << id;
    EXPECT_EQ(refused.messages.at(0), "抗剪键尺寸不全：抗剪键翼缘厚度tf（keytf）为 0。设置抗剪键时其各项尺寸均须大于 0，不设抗剪键时均填 0");
    part = sizes;
    part.erase("hk");
    refused = checkLike(design, part, check);
    ASSERT_EQ(refused.ending, Ending::Stopped) << id;
    EXPECT_NE(refused.messages.at(0).find("缺少尺寸：抗剪键埋深hk（hk）"), std::string::npos) << refused.messages[0];
    part = sizes;
    part["keyb"] = -150;
    EXPECT_EQ(checkLike(design, part, check).ending, Ending::Stopped) << id;

    Sizes none = sizes;
    for (const char* name : {"keyh", "keyb", "keytw", "keytf", "hk", "hfk"}) none[name] = 0;
    ASSERT_EQ(checkLike(design, none, check).ending, Ending::Completed) << id;
    const DesignCheck* friction = findCheck(check.checks(), "shear");
    EXPECT_FALSE(friction->ok()) << id << ": V > Vfb with no key";
    EXPECT_FALSE(friction->decision) << id;
    EXPECT_NE(friction->remedy.find("须设置抗剪键"), std::string::npos) << friction->remedy;
    EXPECT_EQ(check.sizes().at("keyh"), 0) << id;
    for (const char* key : keyIds) EXPECT_TRUE(findCheck(check.checks(), key)->ok()) << id << key;

    Sizes leftOut = sizes;
    for (const char* name : {"keyh", "keyb", "keytw", "keytf", "hk", "hfk"}) leftOut.erase(name);
    ASSERT_EQ(checkLike(design, leftOut, check).ending, Ending::Completed) << id;
    EXPECT_EQ(check.sizes(), sizes) << id << ": the key a design would choose";
  }
}

// A section not in the list is checked by its dimensions and named by them; a weld with no length
// left along the flange cannot be checked and fails with its reason; stock plates leave the key.
TEST(GivenShearKey, ASectionOfAnyDimensionsIsCheckedByThem) {
  const Design design = keyedDesign("g11");
  Sizes sizes = design.session.sizes();
  sizes["keyh"] = 160, sizes["keyb"] = 150, sizes["keytw"] = 8, sizes["keytf"] = 10, sizes["hk"] = 150, sizes["hfk"] = 8;
  DesignSession check(*findModule("g11"));
  ASSERT_EQ(checkLike(design, sizes, check).ending, Ending::Completed);
  const auto field = [&](const std::string& name) {
    for (const auto& f : check.results().fields)
      if (f.field == name) return f.text;
    return std::string("<missing>");
  };
  EXPECT_EQ(field("edtkey"), "H160×150×8×10，埋深 150 mm");
  const DesignCheck* web = findCheck(check.checks(), "keyWebShear");
  EXPECT_DOUBLE_EQ(web->demand, 200e3 / ((160 - 2 * 10) * 8.0));

  sizes["keyb"] = 16;
  const Outcome narrow = checkLike(design, sizes, check);
  ASSERT_EQ(narrow.ending, Ending::Completed) << (narrow.messages.empty() ? "" : narrow.messages[0]);
  const DesignCheck* flange = findCheck(check.checks(), "keyFlangeWeld");
  EXPECT_FALSE(flange->ok());
  EXPECT_NE(flange->remedy.find("bk − 2hf ≤ 0"), std::string::npos) << flange->remedy;
  EXPECT_FALSE(findCheck(check.checks(), "shear")->ok());

  sizes["keytw"] = 6.5, sizes["keytf"] = 9;
  const Sizes stock = roundedToStock(sizes, findModule("g11")->plateThicknesses, defaultStockThicknesses());
  for (const char* name : {"keyh", "keyb", "keytw", "keytf", "hk", "hfk"}) EXPECT_EQ(stock.at(name), sizes.at(name)) << name;
}

// A base given without a key where the friction carries the shear exactly (V = 0.4N) needs none:
// nothing asks for a key.
TEST(GivenShearKey, FrictionEqualToTheShearAsksForNoKey) {
  const Design design = testing::design(*findModule("j1"), {{"EdtN", "100"}, {"EdtV", "40"}});
  DesignSession check(*findModule("j1"));
  ASSERT_EQ(checkLike(design, design.session.sizes(), check).ending, Ending::Completed);
  const DesignCheck* shear = findCheck(check.checks(), "shear");
  ASSERT_NE(shear, nullptr);
  EXPECT_TRUE(shear->ok());
  EXPECT_EQ(shear->remedy, "");
  // The report says the friction carries it, as V ≤ Vfb.
  const auto& tags = check.report();
  const auto text = std::find_if(tags.begin(), tags.end(), [](const auto& t) { return t.tag == "<#keyText>"; });
  ASSERT_NE(text, tags.end());
  EXPECT_EQ(text->text, "V ≤ Vfb：未设抗剪键，剪力由底板下的摩擦力承担。");
}

// Only a weld with no length left leaves its check unevaluated: half a millimetre left is checked,
// however far it falls short.
TEST(GivenShearKey, AWeldWithAnyLengthLeftIsChecked) {
  const Design design = keyedDesign("g11");
  Sizes base = design.session.sizes();
  base["keyh"] = 160, base["keyb"] = 150, base["keytw"] = 8, base["keytf"] = 10, base["hk"] = 150, base["hfk"] = 8;
  struct Case {
    const char* size;
    double noLengthLeft;  // bk = 2hf; h = 2tf + 2hf; h = 2tf
    const char* check;
    const char* words;
    const char* stress;    // held as 0 where the length is gone, never divided by it
    const char* capacity;
  };
  for (const Case& c : {Case{"keyb", 16, "keyFlangeWeld", "bk − 2hf ≤ 0", "sigfk", "Vkf"},
                        Case{"keyh", 36, "keyWebWeld", "h − 2tf − 2hf ≤ 0", "taufk", "Vkw"},
                        Case{"keyh", 20, "keyWebShear", "h − 2tf ≤ 0", "tauk", "Vkv"}}) {
    for (const double left : {0.0, 0.5}) {
      Sizes sizes = base;
      sizes[c.size] = c.noLengthLeft + left;
      DesignSession check(*findModule("g11"));
      ASSERT_EQ(checkLike(design, sizes, check).ending, Ending::Completed) << c.size << " " << left;
      const DesignCheck* weld = findCheck(check.checks(), c.check);
      ASSERT_NE(weld, nullptr) << c.check;
      EXPECT_EQ(weld->remedy.find(c.words) != std::string::npos, left == 0) << c.check << " " << left << ": " << weld->remedy;
      if (left == 0) {
        EXPECT_EQ(heldNumber(check.values(), c.stress), 0) << c.stress;
        EXPECT_EQ(heldNumber(check.values(), c.capacity), 0) << c.capacity;
      }
    }
  }
}

// Several combinations: the enveloped base carries the key the designs chose, and every
// combination checks that one key.
TEST(GivenShearKey, CombinationsShareTheEnvelopesKey) {
  DesignSession session(*findModule("g11"));
  ASSERT_FALSE(session.setLoads({{"A", 150, 200, 120}, {"B", 150, 300, 60}, {"C", 2000, 20, 200}}));
  ASSERT_EQ(session.calculate().ending, Ending::Completed);
  const Sizes sizes = session.sizes();
  ASSERT_GT(sizes.at("keyh"), 0);
  DesignSession alone(*findModule("g11"));
  ASSERT_FALSE(alone.setLoads({{"B", 150, 300, 60}}));
  ASSERT_EQ(alone.calculate().ending, Ending::Completed);
  EXPECT_GE(sizes.at("keyh"), alone.sizes().at("keyh"));
  EXPECT_GE(sizes.at("hk"), alone.sizes().at("hk"));
  ASSERT_EQ(session.check(sizes).ending, Ending::Completed);
  EXPECT_EQ(session.sizes(), sizes);
}

}  // namespace
}  // namespace pedivo

// Finished designs against hand calculations: for each worked case the settled sizes and every
// quantity a checker recomputes from them, worked out by a short script from the engineering
// formulas (tests/design/hand). Each term of each formula governs some value here, so a changed
// coefficient, operator or term shows as a difference.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <variant>

#include "design/common/design_session.h"
#include "design/common/module.h"

namespace pedivo {
namespace {

using nlohmann::json;

json handCases(const std::string& file) {
  std::ifstream in(std::string(PEDIVO_HAND_CASES) + "/" + file);
  return json::parse(in);
}

std::map<std::string, double> heldNumbers(const DesignSession& session) {
  std::map<std::string, double> numbers;
  for (const auto& value : session.values())
    if (const double* number = std::get_if<double>(&value.value)) numbers[std::string(value.name)] = *number;
  return numbers;
}

// Sizes exactly; quantities to the digits a hand calculation carries.
void expectHandValues(const std::string& module, const json& hand) {
  for (const json& worked : hand) {
    SCOPED_TRACE(worked.at("name").get<std::string>());
    DesignSession session(*findModule(module));
    for (const auto& [control, text] : worked.at("entries").items()) session.setText(control, text.get<std::string>());
    session.setCbsize(worked.at("cbsize").get<bool>());
    const Outcome outcome = session.calculate();
    ASSERT_EQ(outcome.messages.front(), "计算完毕！");
    const auto held = heldNumbers(session);
    for (const auto& [name, size] : worked.at("sizes").items()) EXPECT_EQ(held.at(name), size.get<double>()) << name;
    for (const auto& [name, expected] : worked.at("values").items()) {
      const double value = expected.get<double>();
      ASSERT_TRUE(held.count(name)) << name;
      EXPECT_NEAR(held.at(name), value, 1e-9 * std::max(1.0, std::fabs(value))) << name;
    }
    if (!worked.contains("checks")) continue;
    for (const auto& [id, expected] : worked.at("checks").items()) {
      const auto& checks = session.checks();
      const auto check = std::find_if(checks.begin(), checks.end(), [&](const DesignCheck& c) { return c.id == id; });
      ASSERT_NE(check, checks.end()) << id;
      EXPECT_NEAR(check->demand, expected.get<double>(), 1e-9 * std::max(1.0, std::fabs(expected.get<double>()))) << id;
    }
  }
}

TEST(HandCalculation, EightBoltBases) { expectHandValues("g11", handCases("eight_bolt_expected.json")); }
TEST(HandCalculation, TenBoltBases) { expectHandValues("g12", handCases("ten_bolt_expected.json")); }
TEST(HandCalculation, TShapedBootBeamBases) { expectHandValues("g2", handCases("t_boot_beam_expected.json")); }
TEST(HandCalculation, ChannelBootBeamBases) { expectHandValues("g3", handCases("channel_boot_beam_expected.json")); }
TEST(HandCalculation, TwoBoltPinnedBases) { expectHandValues("j1", handCases("two_bolt_expected.json")); }
TEST(HandCalculation, FourBoltPinnedBases) { expectHandValues("j2", handCases("four_bolt_expected.json")); }
TEST(HandCalculation, EmbeddedBases) { expectHandValues("gc", handCases("embedded_expected.json")); }

// The shear key under pinned and rigid bases, each case naming its base type.
TEST(HandCalculation, ShearKeys) {
  for (const json& worked : handCases("shear_key_expected.json"))
    expectHandValues(worked.at("module").get<std::string>(), json::array({worked}));
}

}  // namespace
}  // namespace pedivo

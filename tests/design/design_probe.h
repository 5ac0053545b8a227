#pragma once
// A window's session after one "计算", read by the names of its held values, tags and fields.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "design/common/design_session.h"
#include "printed_arithmetic.h"

namespace pedivo::testing {

using Texts = std::vector<std::pair<std::string, std::string>>;

struct Design {
  DesignSession session;
  Outcome outcome;

  double operator[](const std::string& name) const {
    for (const auto& v : session.values())
      if (v.name == name) return std::get<double>(v.value);
    ADD_FAILURE() << "no value " << name;
    return 0;
  }
  std::string text(const std::string& name) const {
    for (const auto& v : session.values())
      if (v.name == name) return std::get<std::string>(v.value);
    return "<missing>";
  }
  std::string judge() const { return text("judge"); }
  std::string tag(const std::string& tag) const {
    for (const auto& t : session.report())
      if (t.tag == tag) return t.text;
    return "<missing>";
  }
  std::string field(const std::string& name) const {
    for (const auto& f : session.results().fields)
      if (f.field == name) return f.text;
    return "<missing>";
  }
  // A check with its formula and the numbers put in, as the report prints it.
  std::optional<DesignCheck> check(const std::string& id) const {
    for (const auto& c : session.checksWithValues())
      if (c.id == id) return c;
    return std::nullopt;
  }
  std::vector<TagText> report() const { return session.report(); }
};

// A fresh window of the base type with the given texts and detailing choice, after "计算".
inline Design design(const ModuleDescriptor& module, const Texts& texts, bool cbsize = true) {
  Design d{DesignSession(module), {}};
  for (const auto& [control, text] : texts) EXPECT_EQ(d.session.setText(control, text), std::nullopt) << control;
  d.session.setCbsize(cbsize);
  d.outcome = d.session.calculate();
  return d;
}

// A fresh window of the base type with the design's entries, after "验算" of the given sizes.
inline Design checkOf(const ModuleDescriptor& module, const Design& designed, const Sizes& sizes) {
  Design d{DesignSession(module), {}};
  for (const auto& [control, text] : designed.session.entries().texts) d.session.setText(control, text);
  d.session.setCbsize(designed.session.entries().cbsize);
  d.outcome = d.session.check(sizes);
  return d;
}

// The plate round a corner bolt is written with the longer arm cubed, a on a tie, as the step took
// it, and its numbers give back tpbt1: on the base `withArms(a, c)` designs or checks.
template <class WithArms>
void expectCornerBoltPlateInTheStepsForm(WithArms&& withArms) {
  struct ArmCase {
    double a, c;
    const char* form;
  };
  for (const ArmCase& arms : {ArmCase{90, 70, "√(6·Nta·c·a³"}, ArmCase{80, 80, "√(6·Nta·c·a³"},
                              ArmCase{70, 90, "√(6·Nta·a·c³"}}) {
    SCOPED_TRACE(::testing::Message() << "a " << arms.a << " c " << arms.c);
    const Design d = withArms(arms.a, arms.c);
    ASSERT_EQ(d.outcome.ending, Ending::Completed);
    const std::string values = d.tag("<#tpbt1values>");
    EXPECT_EQ(values.rfind(arms.form, 0), 0u) << values;
    EXPECT_NEAR(PrintedArithmetic::valueOf(values), d["tpbt1"], 2e-3 * d["tpbt1"]) << values;
  }
}

// Sets a held value, replacing the design's own where it holds one.
inline void setHeld(std::vector<pedivo::NamedValue>& values, std::string_view name,
                    std::variant<double, std::string> value) {
  for (auto& held : values)
    if (held.name == name) {
      held.value = std::move(value);
      return;
    }
  values.push_back({name, std::move(value)});
}

}  // namespace pedivo::testing

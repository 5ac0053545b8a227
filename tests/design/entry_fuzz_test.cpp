// Entries of every kind a user or a file can give, drawn from a seeded generator and designed
// through the window's session: no crash, no hang, and nothing that is not a number in anything a
// design shows. PEDIVO_FUZZ_SECONDS runs it longer.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "design/common/design_check.h"
#include "design/common/design_session.h"

namespace pedivo {
namespace {

std::chrono::duration<double> fuzzTime() {
  if (const char* seconds = std::getenv("PEDIVO_FUZZ_SECONDS")) return std::chrono::duration<double>(std::atof(seconds));
  return std::chrono::duration<double>(1.0);
}

// A typed text: mostly numbers a real column could have, sometimes far out, sometimes not a number.
std::string typedText(std::mt19937& random) {
  static const std::vector<std::string> odd{"", " ", "-0", "1e400", "nan", "inf", "0x10", "1,5", "八十", "12 ",
                                            "  7", "+3", "1e-320", "9.99e307", std::string(65, '1'), "١٢"};
  std::uniform_int_distribution<int> kind(0, 9);
  switch (kind(random)) {
    case 0: return odd[std::uniform_int_distribution<std::size_t>(0, odd.size() - 1)(random)];
    case 1: return std::to_string(std::uniform_real_distribution<double>(-1e7, 1e7)(random));
    case 2: return std::to_string(std::uniform_int_distribution<int>(-500, 0)(random));
    default: return std::to_string(std::uniform_int_distribution<int>(1, 1200)(random));
  }
}

// The general number format writes what is not a number as "INF", "-INF" or "NAN".
bool showsNoNumberThatIsNot(const std::string& text) {
  return text.find("INF") == std::string::npos && text.find("NAN") == std::string::npos;
}

TEST(EntryFuzz, EveryDesignShowsOnlyNumbers) {
  std::mt19937 random(20261209);
  const auto deadline = std::chrono::steady_clock::now() + fuzzTime();
  int designs = 0;
  while (std::chrono::steady_clock::now() < deadline) {
    for (const ModuleDescriptor* module : allModules()) {
      DesignSession session(*module);
      for (const auto& group : module->groups)
        for (const auto& control : group.controls) {
          if (control.isList()) {
            const auto pick = std::uniform_int_distribution<std::size_t>(0, control.items.size() - 1)(random);
            session.setText(control.name, control.items[pick]);
          } else if (random() % 3 == 0) {
            session.setText(control.name, typedText(random));
          }
        }
      session.setCbsize(random() % 2 == 0);
      const Outcome outcome = session.calculate();
      ASSERT_FALSE(outcome.messages.empty()) << module->id;
      if (outcome.ending != Ending::Completed) continue;  // a refusal may quote what was typed
      for (const auto& message : outcome.messages) EXPECT_TRUE(showsNoNumberThatIsNot(message)) << message;
      ++designs;
      for (const auto& value : session.values()) {
        if (const auto* x = std::get_if<double>(&value.value)) {
          EXPECT_TRUE(std::isfinite(*x)) << value.name;
        }
      }
      for (const auto& field : session.results().fields) EXPECT_TRUE(showsNoNumberThatIsNot(field.text)) << field.field;
      for (const auto& tag : session.report()) EXPECT_TRUE(showsNoNumberThatIsNot(tag.text)) << tag.tag << " " << tag.text;
      for (const auto& check : session.checks()) {
        if (!check.decision && check.demand <= 0) {
          EXPECT_EQ(verdictText(check), notGoverningText) << check.id;
        }
      }
      if (HasFailure()) return;
    }
  }
  EXPECT_GT(designs, 0);
}

}  // namespace
}  // namespace pedivo

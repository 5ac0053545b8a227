#pragma once
// The checks "计算" runs before any calculation.

#include <map>
#include <optional>
#include <string>
#include <span>
#include <string_view>

#include "design/common/module.h"
#include "design/common/tables.h"

namespace pedivo {

struct CheckFailure {
  std::string message;
  std::optional<std::string> focus;  // none where the control cannot take the focus
};

// A steel or anchor-bolt grade that the chosen edition of the steel code does not offer (Q345 under
// GB 50017-2017), or an edition the list does not hold; focus on that list.
std::optional<CheckFailure> editionMismatch(const ModuleDescriptor& module, const Entries& entries);

// The grades a list offers under an edition; none for a list that does not follow the edition.
std::optional<std::span<const std::string_view>> editionItems(std::string_view control, tables::CodeEdition edition);

// Entries moved to another edition of the steel code: Q345 and Q355 stand for each other; a grade
// the edition lacks falls back to Q235, and the message tells the user which.
struct EditionSwitch {
  std::map<std::string, std::string> texts;  // new texts of the edition and the grade lists
  std::optional<std::string> message;        // none when every grade carried over
};
EditionSwitch switchEdition(const ModuleDescriptor& module, const Entries& entries, tables::CodeEdition edition);

// The longest text a typed entry may hold.
inline constexpr std::size_t longestEntryText = 64;

// Refuses entries whose grades do not fit their edition (editionMismatch) and texts longer than
// longestEntryText, then walks the base type's checks in order: every listed entry must read as a
// number greater than 0; the first that is not a number, or not positive, stops the walk. Last,
// the numbers must describe a real column base: lengths within 1–10000 mm, forces and moments
// within 10⁶ kN and kN·m, tw < bf, tf < bf and 2tf < hb.
std::optional<CheckFailure> validateInput(const ModuleDescriptor& module, const Entries& entries);

// The same checks for one load combination among several, where a moment of exactly 0 (a gravity
// combination) is read as such; any other moment is checked as above.
std::optional<CheckFailure> validateCombinationInput(const ModuleDescriptor& module, const Entries& entries);

// The same checks on the forces alone, in the same order: for a combination after the first, whose
// other entries passed with the first. The first failure is then the one the whole walk would find.
std::optional<CheckFailure> validateCombinationForces(const ModuleDescriptor& module, const Entries& entries);

// The entries of the forces: N, V and M.
bool isForceControl(std::string_view control);

}  // namespace pedivo

#pragma once
// Base types no plate sizes can help: found from one design of the entries, before a search
// walks. A search of another base type of the family is only wanted for a passing design, so
// where none of its candidates can pass it is not walked at all.

#include <vector>

#include "design/common/module.h"

namespace pedivo::adjust {

// Whether every design of `module` from these entries, whatever plate sizes and bolt, fails a
// check of the column's own welds to the plate: the flange stress or the combined stress of the
// web welds exceeds its strength even with the web welds of the largest area any leg can give
// them. `held` are the values of a completed design of the entries (the section and the forces,
// which the sizes never change). False for a base type without those checks, and where in doubt.
bool columnWeldsFailUnderAnyPlate(const ModuleDescriptor& module, const Entries& entries,
                                  const std::vector<NamedValue>& held);

}  // namespace pedivo::adjust

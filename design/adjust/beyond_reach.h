#pragma once
// Base types no plate sizes can help: found from one design of the entries, before a search
// walks. A search of another base type of the family is only wanted for a passing design, so
// where none of its candidates can pass it is not walked at all.

#include <optional>
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

// Whether no design of an eight- or ten-bolt plate or a T-shaped boot beam from these entries lays
// its bolts within the flange width: 2c + 2ts + 2hf (eight bolts), 4c + 3ts + 2hf (ten bolts) or
// 2c (T-shaped) exceeds bf with the spacing c no less than `leastC` brought down to 5 mm as the
// plate's rounding may take it, the stiffener at its starting thickness and the welds at the
// smallest leg. `held` as above.
bool layoutFailsUnderAnyPlate(const ModuleDescriptor& module, double leastC, const std::vector<NamedValue>& held);

// Whether every design of a pinned base from these entries needs a shear key (the friction 0.4N
// under the plate, which no size changes, is less than V) and no section of the list can carry
// V, whatever the plate: none bears on the concrete, carries V in its web and the moment at the
// plate's underside at any embedment. False for the other base types, whose friction grows with
// the bolts' tension.
bool shearKeyFailsUnderAnyPlate(const ModuleDescriptor& module, const Entries& entries,
                                const std::vector<NamedValue>& held);

// The section and the forces of the entries as the exposed rigid bases read them, under the
// names their held values give them (N, M, V, hb, bf, tw, tf): what the column-weld and layout
// checks read,
// for entries whose own design stops before it holds anything. None for a base type neither check
// bounds (the channel base and the pinned ones, whose shear key needs a designed plate), or
// where an entry does not read as a number.
std::optional<std::vector<NamedValue>> rigidSectionAndForces(const ModuleDescriptor& module, const Entries& entries);

}  // namespace pedivo::adjust

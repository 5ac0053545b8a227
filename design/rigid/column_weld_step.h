#pragma once
// The column's fillet welds to the plate of the eight- and ten-bolt bases as one step: the
// strengths they are checked against, the welds at their leg, and the ten-bolt base's limit on the
// web weld's leg. The step returns what it found and the held values are written from it in one
// place, for a design and for a check of given sizes alike.

#include <optional>

#include "design/common/calculation.h"
#include "design/common/check_mode.h"
#include "design/common/column_welds.h"

namespace pedivo::rigidbase {
struct RigidGeometry;
}

namespace pedivo::rigid {

struct RigidPlateHeld;

struct ColumnWeldStep {
  // The strengths: ffw of the welds, and f, the column flange's strength by its thickness (beyond
  // the table's thicknesses the plate's at the bolts, fpbt, stands in).
  ColumnWeldInputs in;
  // The welds at their leg; none for a given leg that leaves the web welds no length.
  std::optional<ColumnWelds> welds;
  bool webWeldWarning;  // the layout limits the web weld's leg and hf11 > 1.2·tw
};

// The welds grown from the smallest leg on the held plate.
ColumnWeldStep designedColumnWelds(const rigidbase::RigidGeometry& geometry, const Materials& m, const RigidPlateHeld& h,
                                   RoundLimit& rounds);
// The welds at the held (given) leg hf11.
ColumnWeldStep givenColumnWeldStep(const rigidbase::RigidGeometry& geometry, const Materials& m, const RigidPlateHeld& h,
                                   GivenSizeFindings& findings);

// The strengths and the warning always; the welds where they were found.
void holdColumnWelds(RigidPlateHeld& h, const ColumnWeldStep& step);

}  // namespace pedivo::rigid

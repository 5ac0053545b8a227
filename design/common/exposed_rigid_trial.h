#pragma once
// One trial of the four exposed rigid bases at the bolt they have reached, in the order every one
// of them designs: the plate's layout, its plan with the bearing under it, the tension bolts, the
// plate's panels and its thickness, then the column's welds and what stands beyond them (the
// stiffeners beside the bolts, or the boot beams with their stiffeners, ribs and diaphragms). Each
// base brings its own form of the steps; the bolts are checked alike.

#include "design/common/bearing_step.h"
#include "design/common/rigid_base.h"

namespace pedivo::rigidbase {

// `steps` gives layOut(), planWithBearing() (how the bearing rounds ended), panelMoments(),
// thickness() and weldsAndParts() (how the trial ends once the plate is sized).
template <class Steps>
Trial exposedRigidTrial(double fta, ExposedRigidHeld& h, Steps&& steps) {
  steps.layOut();
  if (steps.planWithBearing() == Bearing::AxialTension) return Trial::AxialTension;
  if (!anchorBoltsHold(fta, h)) return Trial::LargerBolt;
  steps.panelMoments();
  steps.thickness();
  return steps.weldsAndParts();
}

}  // namespace pedivo::rigidbase

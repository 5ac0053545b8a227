#pragma once
// One trial of the four exposed rigid bases at the bolt they have reached, in the order every one
// of them designs: the plate's layout, its plan with the bearing under it, the tension bolts, the
// plate's panels and its thickness, then the column's welds and what stands beyond them (the
// stiffeners beside the bolts, or the boot beams with their stiffeners, ribs and diaphragms). Each
// base brings its own form of the steps; the bolts are checked alike.

#include "design/common/bearing_step.h"
#include "design/common/rigid_base.h"

namespace pedivo::rigidbase {

// Each base gives its own form of the steps, in their order: the layout, the plan with the bearing
// (how the bearing rounds ended), the panels, the plate's thickness, and the welds and parts (how
// the trial ends once the plate is sized).
template <class LayOut, class PlanWithBearing, class Panels, class Thickness, class WeldsAndParts>
Trial exposedRigidTrial(double fta, ExposedRigidHeld& h, LayOut&& layOut, PlanWithBearing&& planWithBearing,
                        Panels&& panels, Thickness&& thickness, WeldsAndParts&& weldsAndParts) {
  layOut();
  if (planWithBearing() == Bearing::AxialTension) return Trial::AxialTension;
  if (!anchorBoltsHold(fta, h)) return Trial::LargerBolt;
  panels();
  thickness();
  return weldsAndParts();
}

}  // namespace pedivo::rigidbase

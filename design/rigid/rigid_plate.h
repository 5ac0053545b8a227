#pragma once
// Exposed rigid bases without boot beams: a base plate with eight or ten anchor bolts and the
// anchor-bolt stiffeners welded to plate and column. The ten-bolt base is the eight-bolt design
// with a fourth bolt in each tension row and a third stiffener across the width.

#include <string>

#include "design/common/exposed_rigid_held.h"
#include "design/common/rigid_geometry.h"
#include "design/common/module.h"
#include "design/rigid/plate_steps.h"
#include "design/rigid/stiffener_step.h"

namespace pedivo::rigid {

struct RigidPlateHeld : rigidbase::ExposedRigidHeld {
  // The layout designed or checked: three or four bolts to a tension row. The report's formulas
  // follow it.
  const rigidbase::RigidGeometry* geometry = &rigidbase::eightBoltGeometry;
  // The pressure at mid-length the panels between the stiffeners and between the flanges took.
  double qr = 0;
  // f: the column flange's strength, by its thickness (beyond 100 mm the plate's at the bolts, fpbt).
  // Column-to-plate welds: the web weld's leg and the section's modulus.
  double hf11 = 0, Wc = 0;
  bool webWeldWarning = false;  // ten bolts: hf11 > 1.2·tw
  // The stiffener's loads, its section and the length and modulus of its welds.
  double Vi1 = 0, Vi2 = 0, Vi12 = 0, Ws = 0;
  double lw = 0, Wf = 0;
  // The way the stiffener bent, for its weld's length and the report's formulas.
  StiffenerBending stiffenerBending = StiffenerBending::NotWorkedOut;
};

Outcome calculateEightBolt(const Entries& entries, RigidPlateHeld& held);
Outcome calculateTenBolt(const Entries& entries, RigidPlateHeld& held);

const ModuleDescriptor& eightBoltModule();
const ModuleDescriptor& tenBoltModule();

}  // namespace pedivo::rigid

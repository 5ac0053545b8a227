#pragma once
// Exposed rigid bases with boot beams: two boot-beam plates welded to the column flanges and the
// base plate carry the column's forces to the plate and the anchor bolts. The T-shaped base holds
// its tension bolts on stiffeners outside the boot beams; the channel base closes the boot beams
// with a top plate over two tension bolts, with ribs beside the bolts and diaphragms across.

#include <string>

#include "design/bootbeam/rib_record.h"
#include "design/common/exposed_rigid_held.h"
#include "design/common/module.h"

namespace pedivo::bootbeam {

// Of the shared values, the T-shaped base's report and listed values call la and lc lx and ly, and
// the channel's plate is sized by its panels alone.
struct BootBeamHeld : rigidbase::ExposedRigidHeld {
  double tsh = 0;  // boot-beam thickness
  // The channel's panels on four sides inside the channel and between the flanges.
  double b31 = 0, a31 = 0, r21 = 0, beta1 = 0;
  double b32 = 0, a32 = 0, r22 = 0, beta2 = 0;
  double tgrp = 0;  // the thickness group of the plate at the bolts (T-shaped)
  // Boot beams.
  double hsh = 0, ax = 0, Ix = 0, Vsh1 = 0, Vsh2 = 0, Vshmax = 0;
  double Msh11 = 0, Msh12 = 0, Msh1max = 0, Msh1 = 0, Msh2 = 0, Mshmax = 0;
  double ylm = 0, ylvx = 0, fv = 0, fsh = 0, fvsh = 0;
  double lf = 0, hf2 = 0, write5 = 0, write6 = 0;
  // Column and boot beams welded to the plate: the leg and the welds' second moment.
  double hf5 = 0, Iw = 0;
  double Vi = 0;  // T-shaped: the pressure beside the boot beam on a stiffener
  // The stiffener bends along a + lt (the bolt's tension governs; the channel's rib always), else
  // across (B − bf)/4 under the pressure beside the boot beam.
  bool stiffenerAlongLength = true;
  // Channel: top plate and diaphragm.
  double tp = 0, hcb = 0, tcb = 0, q = 0, hf6 = 0, hf7 = 0, fcb = 0, fvcb = 0, ylfcb = 0, ylvcb = 0;
  // Channel: the ribs of the last boot-beam height of this pass, taken over at the next.
  RibRecord ribRecord;
};

Outcome calculateTBootBeam(const Entries& entries, BootBeamHeld& held);
Outcome calculateChannelBootBeam(const Entries& entries, BootBeamHeld& held);

const ModuleDescriptor& tBootBeamModule();
const ModuleDescriptor& channelBootBeamModule();

}  // namespace pedivo::bootbeam

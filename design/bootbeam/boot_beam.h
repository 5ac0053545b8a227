#pragma once
// Exposed rigid bases with boot beams: two boot-beam plates welded to the column flanges and the
// base plate carry the column's forces to the plate and the anchor bolts. The T-shaped base holds
// its tension bolts on stiffeners outside the boot beams; the channel base closes the boot beams
// with a top plate over two tension bolts, with ribs beside the bolts and diaphragms across.

#include <string>

#include "design/bootbeam/rib_record.h"
#include "design/common/exposed_rigid_held.h"
#include "design/common/module.h"
#include "design/common/rigid_base.h"
#include "design/common/plate_panel.h"

namespace pedivo::bootbeam {

// Of the shared values, the T-shaped base's report and listed values call la and lc lx and ly, and
// the channel's plate is sized by its panels alone.
//
// The strengths each have their own name, and each check reads the one it means: fpb the plate's by
// its panels' thickness, fpbt the T-shaped plate's at the tension bolts, fv and the section's own f
// the boot beam's by tsh at the height last tried, fsh and fvsh those kept once the section holds,
// and fFlange the column flange's by tf (T-shaped). The shared f is read by no step: it is listed
// and printed as the strength the last step that sets it set, in design order the plate's by its
// panels (fpb), the T-shaped plate's at the bolts (fpbt), the boot beam's by tsh, and on the
// T-shaped base last the column flange's (fFlange). A designed channel base so ends with the boot
// beam's, a designed T-shaped base with the flange's.
// Which load governs the T-shaped base's stiffener, and so the arm it bends over.
enum class StiffenerBending {
  NotWorkedOut,  // no stiffener stresses were worked out: the report writes the form along its length
  AlongLength,   // the bolt's tension Ntal: over a + lt, at half of it
  AcrossWidth,   // the pressure beside the boot beam Vi, strictly the larger: over (B − bf)/4
};

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
  // T-shaped: the column flange's strength by tf, from the plate welds on; where the rolled bands
  // end short of tf, the boot beam's fsh stands for it.
  double fFlange = 0;
  double lf = 0, hf2 = 0, write5 = 0, write6 = 0;
  // Column and boot beams welded to the plate: the leg and the welds' second moment.
  double hf5 = 0, Iw = 0;
  double Vi = 0;  // T-shaped: the pressure beside the boot beam on a stiffener
  // T-shaped: which way the stiffener bends, as its last stresses found.
  StiffenerBending stiffenerBending = StiffenerBending::NotWorkedOut;
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

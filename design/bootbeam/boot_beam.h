#pragma once
// Exposed rigid bases with boot beams: two boot-beam plates welded to the column flanges and the
// base plate carry the column's forces to the plate and the anchor bolts. The T-shaped base holds
// its tension bolts on stiffeners outside the boot beams; the channel base closes the boot beams
// with a top plate over two tension bolts, with ribs beside the bolts and diaphragms across.

#include <string>

#include "design/common/rigid_branches.h"
#include "design/common/module.h"
#include "design/common/shear_key.h"

namespace pedivo::bootbeam {

struct BootBeamHeld {
  double N = 0, M = 0, V = 0;             // forces at the column foot: N, N·mm, N
  double hb = 0, bf = 0, tw = 0, tf = 0;  // column section, mm
  double n = 0;                           // twice the bolts in tension
  double dms = 0, Aems = 0;               // anchor bolt
  double a = 0, c = 0, lt = 0, bt = 0;    // plate layout
  double L = 0, B = 0, L0 = 0, B0 = 0;    // plate plan, and before whole tens
  double tsh = 0, tjjl = 0;               // boot-beam and stiffener (rib) thickness
  double e = 0, write3 = 0;               // eccentricity and its limit L/6 + lt/3
  rigidbase::Eccentricity eccentricity = rigidbase::Eccentricity::NotFound;  // the case the pressure took
  rigidbase::CompressedZoneMethod zone = rigidbase::CompressedZoneMethod::Linear;  // beyond the bolt row
  double xn = 0, Fx = 0, dx = 0;          // compressed zone, the bisection's last residual and step
  double ylmax = 0, ylmin = 0, ylc = 0;   // concrete pressure
  double fc = 0, Ec = 0, Es = 0, fta = 0;
  double ta = 0, write4 = 0, Vfb = 0;     // bolt tension, bolt stress, friction 0.4·(N + ta)
  bool rerun = false;                     // a detailing pass wrote its sizes back
  // Plate panels: T-shaped 1 to 3 on three sides and 4 on four; channel 1 on three, 2 and 3 on four.
  double b21 = 0, a21 = 0, r11 = 0, alf1 = 0, M221 = 0;
  double b22 = 0, a22 = 0, r12 = 0, alf2 = 0, M222 = 0;
  double b23 = 0, a23 = 0, r13 = 0, alf3 = 0, M223 = 0;
  double b3 = 0, a3 = 0, r2 = 0, beta = 0, M224 = 0;
  double b31 = 0, a31 = 0, r21 = 0, beta1 = 0;
  double b32 = 0, a32 = 0, r22 = 0, beta2 = 0;
  double M2 = 0;
  // Three-side panels taken as cantilevers; before the panels are worked out their ratio 0 reads so.
  bool cantilever1 = true, cantilever2 = true, cantilever3 = true;
  // Plate thickness: from the panels, and (T-shaped) at the tension bolts.
  double f = 0, fpb = 0, tgrp = 0, tpbc = 0, Ntal = 0;
  // The widths the plate round a tension bolt spreads over along a (la) and along c (lc): in the
  // corner (1) and across the flange width (2). The report and the listed values call them lx, ly.
  double la1 = 0, lc1 = 0, la2 = 0, lc2 = 0, tpbt1 = 0, tpbt2 = 0, tpbt = 0, tpb = 0;
  double fpbt = 0;  // T-shaped: the plate's f in the group of the thickness at the bolts
  rigidbase::PlateSizedBy plateSizedBy = rigidbase::PlateSizedBy::Panels;  // the channel's by its panels
  // Boot beams.
  double hsh = 0, ax = 0, Ix = 0, Vsh1 = 0, Vsh2 = 0, Vshmax = 0;
  double Msh11 = 0, Msh12 = 0, Msh1max = 0, Msh1 = 0, Msh2 = 0, Mshmax = 0;
  double ylm = 0, ylvx = 0, fv = 0, fy = 0, fsh = 0, fvsh = 0, ffw = 0;
  double lf = 0, hf2 = 0, write5 = 0, write6 = 0;
  // Column and boot beams welded to the plate.
  double hf5 = 0, AF = 0, Aeww = 0, ylnc = 0, ylmc = 0, ylv = 0, ylf = 0, ylfs = 0, Iw = 0;
  // Anchor-bolt stiffeners (T-shaped) or ribs (channel), and their welds.
  double hjjl = 0, Vi = 0, Vimax = 0, ylvR = 0, ylfR = 0, ylequ = 0, f1 = 0, write1 = 0, write2 = 0;
  double hf3 = 0, ylnf = 0, ylvf = 0;
  // The stiffener bends along a + lt (the bolt's tension governs; the channel's rib always), else
  // across (B − bf)/4 under the pressure beside the boot beam.
  bool stiffenerAlongLength = true;
  // Channel: top plate and diaphragm.
  double tp = 0, hcb = 0, tcb = 0, q = 0, hf6 = 0, hf7 = 0, fcb = 0, fvcb = 0, ylfcb = 0, ylvcb = 0;
  ShearKey key;  // under the plate where friction does not carry V
};

Outcome calculateTBootBeam(const Entries& entries, BootBeamHeld& held);
Outcome calculateChannelBootBeam(const Entries& entries, BootBeamHeld& held);

const ModuleDescriptor& tBootBeamModule();
const ModuleDescriptor& channelBootBeamModule();

}  // namespace pedivo::bootbeam

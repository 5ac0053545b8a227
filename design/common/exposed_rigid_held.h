#pragma once
// What the four rigid exposed bases hold alike, under one name each: the forces and the section,
// the bolts and the plate layout, the pressure under the plate and the case it took, the plate's
// panels and thickness, the column's welds to the plate, and the stiffener (the channel base's
// rib) beside the tension bolts with its welds. Each base's held values add their own parts.

#include "design/common/compressed_zone.h"
#include "design/common/plate_panel.h"
#include "design/common/rigid_branches.h"
#include "design/common/shear_key.h"

namespace pedivo::rigidbase {

struct ExposedRigidHeld {
  double N = 0, M = 0, V = 0;             // forces at the column foot: N, N·mm, N
  double hb = 0, bf = 0, tw = 0, tf = 0;  // column section, mm
  double n = 0;                           // twice the bolts of a tension row
  double dms = 0, Aems = 0;               // anchor bolt
  double a = 0, c = 0, lt = 0, bt = 0;    // plate layout
  double L = 0, B = 0, L0 = 0, B0 = 0;    // plate plan, and before whole tens
  double tjjl = 0;                        // stiffener (rib) thickness
  double e = 0, write3 = 0;               // eccentricity M/N and its limit L/6 + lt/3
  Eccentricity eccentricity = Eccentricity::NotFound;              // the case the pressure took
  CompressedZoneMethod zone = CompressedZoneMethod::Linear;        // beyond the bolt row
  double xn = 0, Fx = 0, dx = 0;          // compressed zone, and the bisection's last residual and step
  double ylmax = 0, ylmin = 0, ylc = 0;   // concrete pressure
  double fc = 0, Ec = 0, Es = 0, fta = 0;
  double ta = 0, write4 = 0, Vfb = 0;     // bolt tension, bolt stress, friction 0.4·(N + ta)
  bool rerun = false;                     // a detailing pass wrote its sizes back
  // Plate panels on three sides (1 to 3) and on four (4); the channel base has its own 2 and 3.
  double b21 = 0, a21 = 0, r11 = 0, alf1 = 0, M221 = 0;
  double b22 = 0, a22 = 0, r12 = 0, alf2 = 0, M222 = 0;
  double b23 = 0, a23 = 0, r13 = 0, alf3 = 0, M223 = 0;
  double b3 = 0, a3 = 0, r2 = 0, beta = 0, M224 = 0;
  double M2 = 0;
  // How the three-side panels' moments were taken; before the panels are worked out their ratio 0
  // reads as a cantilever.
  PanelMoment panel1Moment = PanelMoment::Cantilever;
  PanelMoment panel2Moment = PanelMoment::Cantilever;
  PanelMoment panel3Moment = PanelMoment::Cantilever;
  // Plate thickness from the panels (tpbc, in group of strength fpb) and at the tension bolts
  // (tpbt, fpbt). f is a strength whose part each base says where it sets it.
  double f = 0, fpb = 0, tpbc = 0, Ntal = 0;
  // The widths the plate round a tension bolt spreads over along a (la) and along c (lc): in the
  // corner (1) and between the supports across (2), and which span of the second took the cube.
  double la1 = 0, lc1 = 0, la2 = 0, lc2 = 0, tpbt1 = 0, tpbt2 = 0, tpbt = 0, fpbt = 0, tpb = 0;
  SecondPanelSpan secondPanelSpan = SecondPanelSpan::NotWorkedOut;
  // The arm of the plate round a corner tension bolt that took the cube in tpbt1; a's form before
  // the plate at the bolts is worked out.
  LongerArm cornerArm = LongerArm::A;
  PlateSizedBy plateSizedBy = PlateSizedBy::Panels;
  // Column (and boot beams) welded to the plate.
  double AF = 0, Aeww = 0, ylnc = 0, ylmc = 0, ylv = 0, ylf = 0, ylfs = 0, ffw = 0;
  // The stiffeners beside the tension bolts and their welds.
  double hjjl = 0, Vimax = 0, ylvR = 0, ylfR = 0, ylequ = 0, fy = 0, f1 = 0, write1 = 0, write2 = 0;
  double hf3 = 0, ylnf = 0, ylvf = 0;
  ShearKey key;  // under the plate where friction does not carry V
  // The window state's bisections of the compressed zone, lent for one calculation; none outside it.
  ZoneMemo* zones = nullptr;
};

// The three-side panels 1 to 3 and the four-side panel 4 under their symbols, with the largest
// moment M2.
inline void holdPanels(ExposedRigidHeld& h, const PanelStep& p1, const PanelStep& p2, const PanelStep& p3,
                       const PanelStep& p4, double M2) {
  h.b21 = p1.b, h.a21 = p1.a, h.r11 = p1.r, h.alf1 = p1.k, h.M221 = p1.M, h.panel1Moment = p1.moment;
  h.b22 = p2.b, h.a22 = p2.a, h.r12 = p2.r, h.alf2 = p2.k, h.M222 = p2.M, h.panel2Moment = p2.moment;
  h.b23 = p3.b, h.a23 = p3.a, h.r13 = p3.r, h.alf3 = p3.k, h.M223 = p3.M, h.panel3Moment = p3.moment;
  h.b3 = p4.b, h.a3 = p4.a, h.r2 = p4.r, h.beta = p4.k, h.M224 = p4.M;
  h.M2 = M2;
}

}  // namespace pedivo::rigidbase

#pragma once
// Exposed rigid bases without boot beams: a base plate with eight or ten anchor bolts and the
// anchor-bolt stiffeners welded to plate and column. The ten-bolt base is the eight-bolt design
// with a fourth bolt in each tension row and a third stiffener across the width.

#include <string>

#include "design/common/rigid_branches.h"
#include "design/common/module.h"
#include "design/common/shear_key.h"

namespace pedivo::rigid {

struct RigidPlateHeld {
  double N = 0, M = 0, V = 0;             // forces at the column foot: N, N·mm, N
  double hb = 0, bf = 0, tw = 0, tf = 0;  // column section, mm
  double n = 0;                           // twice the bolts of the tension row
  bool fourBoltsARow = false;             // the ten-bolt layout: four bolts to a tension row, not three
  double dms = 0, Aems = 0;               // anchor bolt
  double a = 0, c = 0, lt = 0, bt = 0;    // plate layout
  double L = 0, B = 0, L0 = 0, B0 = 0;    // plate plan, and before whole tens
  double tjjl = 0;                        // stiffener thickness
  double e = 0;                           // eccentricity M/N
  rigidbase::Eccentricity eccentricity = rigidbase::Eccentricity::NotFound;  // the case the pressure took
  rigidbase::CompressedZoneMethod zone = rigidbase::CompressedZoneMethod::Linear;  // beyond the bolt row
  double xn = 0, Fx = 0, dx = 0;          // compressed zone, and the bisection's last residual and step
  double ylmax = 0, ylmin = 0, ylc = 0;   // concrete pressure
  double fc = 0, Ec = 0, Es = 0, fta = 0;
  double write3 = 0;                      // L/6 + lt/3
  double ta = 0, write4 = 0, Vfb = 0;     // bolt tension, bolt stress, friction 0.4·(N + ta)
  bool rerun = false;                     // a detailing pass wrote its sizes back
  // Plate panels: three-side panels 1 to 3, four-side panel 4.
  double b21 = 0, a21 = 0, r11 = 0, alf1 = 0, M221 = 0;
  double b22 = 0, a22 = 0, r12 = 0, alf2 = 0, M222 = 0;
  double b23 = 0, a23 = 0, r13 = 0, alf3 = 0, M223 = 0;
  double b3 = 0, a3 = 0, r2 = 0, beta = 0, M224 = 0;
  double M2 = 0;
  // Three-side panels taken as cantilevers; before the panels are worked out their ratio 0 reads so.
  bool cantilever1 = true, cantilever2 = true, cantilever3 = true;
  // Plate thickness: from the panels, and at the tension bolts.
  // f: the column flange's strength, by its thickness (beyond 100 mm the plate's at the bolts, fpbt).
  double f = 0, fpb = 0, tpbc = 0, Ntal = 0;
  double la1 = 0, lc1 = 0, la2 = 0, lc2 = 0, tpbt1 = 0, tpbt2 = 0, tpbt = 0, fpbt = 0, tpb = 0;
  rigidbase::PlateSizedBy plateSizedBy = rigidbase::PlateSizedBy::Panels;
  // Column-to-plate welds.
  double hf11 = 0, AF = 0, Aeww = 0, Wc = 0, ylnc = 0, ylmc = 0, ylv = 0, ylf = 0, ylfs = 0, ffw = 0;
  bool webWeldWarning = false;  // ten bolts: hf11 > 1.2·tw
  // Stiffeners and their welds.
  double hjjl = 0, hf3 = 0, Vi1 = 0, Vi2 = 0, Vi12 = 0, Vimax = 0, Ws = 0;
  double ylvR = 0, ylfR = 0, ylequ = 0, fy = 0, f1 = 0, write1 = 0, write2 = 0;
  double lw = 0, Wf = 0, ylnf = 0, ylvf = 0;
  // The branches the plate and the stiffener took, for the report's formulas.
  bool stiffenerAlongLength = false;  // the stiffener beside a bolt governs: it bends along a + lt, else across (B − bf)/4
  bool boltPanelAlongA = false;       // c² < 2a²: the plate between two stiffeners takes the cube of a
  ShearKey key;  // under the plate where friction does not carry V
};

Outcome calculateEightBolt(const Entries& entries, RigidPlateHeld& held);
Outcome calculateTenBolt(const Entries& entries, RigidPlateHeld& held);

const ModuleDescriptor& eightBoltModule();
const ModuleDescriptor& tenBoltModule();

}  // namespace pedivo::rigid

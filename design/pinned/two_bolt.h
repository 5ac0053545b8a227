#pragma once
// Exposed pinned base with two anchor bolts between the flanges, one each side of the web.

#include "design/common/module.h"

namespace pedivo::pinned {

struct TwoBoltHeld {
  double N = 0, V = 0;                    // axial compression and shear, N
  double hb = 0, bf = 0, tw = 0, tf = 0;  // column section, mm
  double dms = 0, Aems = 0;               // anchor bolt
  double a = 0, c = 0, lt = 0, bt = 0;    // detailing distances
  double L = 0, B = 0;                    // plate plan
  double fc = 0, ylc = 0;                 // bearing under the plate
  double Vfb = 0;                         // friction resistance 0.4·N
  double b2 = 0, a2 = 0, r1 = 0, alf = 0, M2 = 0;  // critical plate panel
  double f = 0, tpbc = 0, tpb = 0;        // plate thickness; f ends as the flange's strength
  double fpb = 0;                         // strength of the plate in its thickness group
  double hf11 = 0, AF = 0, Aeww = 0;      // column-to-plate welds
  double ylnc = 0, ylv = 0, ylfs = 0, ffw = 0;
};

Outcome calculateTwoBolt(const Entries& entries, TwoBoltHeld& held);
const ModuleDescriptor& twoBoltModule();

}  // namespace pedivo::pinned

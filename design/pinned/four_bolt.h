#pragma once
// Exposed pinned base with four anchor bolts and two anchor-bolt stiffeners: one plate each side
// of the web at mid-depth, from the web to the plate edge, welded to web and plate. Each
// stiffener halves the plate panel between the flanges.

#include "design/common/module.h"
#include "design/common/stiffener_welds.h"
#include "design/pinned/bolt_stiffener_step.h"
#include "design/pinned/pinned_plate.h"

namespace pedivo::pinned {

struct FourBoltHeld : PinnedPlateHeld {
  double tjjl = 0, hjjl = 0;              // stiffener thickness and height
  double Vimax = 0;                       // force on one stiffener
  double ylvR = 0, ylfR = 0, ylequ = 0;   // shear, bending and equivalent stress in the stiffener
  double fy = 0, f1 = 0;                  // yield strength, stiffener strength for its thickness
  double write1 = 0, write2 = 0;          // outstand over thickness, and its limit
  double hf3 = 0, ylnf = 0, ylvf = 0;     // stiffener welds: leg, to the plate, to the web
  UpstandWeld webWeld{};                  // the welds up the web at hf3: length, Wf, τf, σf
};

Outcome calculateFourBolt(const Entries& entries, FourBoltHeld& held);
Outcome checkFourBolt(const Entries& entries, const Sizes& sizes, FourBoltHeld& held, GivenSizeFindings& findings);
const ModuleDescriptor& fourBoltModule();

}  // namespace pedivo::pinned

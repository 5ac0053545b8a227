#pragma once
// The plate round a tension bolt held down by stiffeners (the bolt zone) of the eight- and ten-bolt
// bases and the T-shaped boot-beam base: the corner panel between a support along the length and
// one across, the same in all three (rigidbase::cornerBoltZone), and the second panel, the bolt
// midway between two supports across, whose widths and thickness each layout has its own. One
// step gives both panels and the span that governed the second; the report's text of the second
// is written beside it from the span the step held.

#include <string>

#include "design/common/exposed_rigid_held.h"
#include "design/common/rigid_base.h"
#include "design/common/rigid_branches.h"
#include "design/common/rigid_geometry.h"

namespace pedivo::rigidbase {

// Where the tension bolt sits: a from the column flange (boot beam), c from the support across,
// lt and bt to the plate's edges; Nta the tension of one bolt, N.
struct BoltZoneLayout {
  double a, c, lt, bt, Nta;
};

// The plate round a tension bolt for a plate strength f: the corner panel (la1 along a, lc1 along
// c, tpbt1), the second panel (la2, lc2, tpbt2 and its governing span), and the thickness the
// bolt needs, tpbt = max(tpbt1, tpbt2), mm.
struct BoltZoneThickness {
  double la1, lc1, tpbt1;
  double la2, lc2, tpbt2;
  double tpbt;
  SecondPanelSpan span;
  LongerArm cornerArm;  // the corner panel's arm that took the cube
};

// Eight and ten bolts: the second panel lies between two stiffeners 2c apart; along a or along c.
BoltZoneThickness boltZoneBetweenStiffeners(const BoltZoneLayout& z, double f);
// The T-shaped base: the second panel lies across the flange width bf; along a or across the flange.
BoltZoneThickness boltZoneAcrossFlange(const BoltZoneLayout& z, double bf, double f);

// The plate round a tension bolt of the kind the base's geometry has (between stiffeners, or
// across the flange width bf); nothing for a base without one.
BoltZoneThickness boltZone(BoltZonePlate plate, const BoltZoneLayout& z, double bf, double f);

// The held widths, thicknesses and governing span of the plate at the tension bolts.
void holdBoltZone(ExposedRigidHeld& h, const BoltZoneThickness& zone);

// The report's tpbt2 with its numbers, in the form of the held span: the formula, then the same
// with a, c (or bf), Nta, la2, lc2 and fpbt put in. A span not worked out (a blank window) writes
// the form across, between the stiffeners or across the flange.
std::string betweenStiffenersTpbt2Values(const ExposedRigidHeld& h);
std::string acrossFlangeTpbt2Values(const ExposedRigidHeld& h);
// The same for the base's kind of plate at the bolts; empty for a base without one.
std::string tpbt2Values(BoltZonePlate plate, const ExposedRigidHeld& h);

}  // namespace pedivo::rigidbase

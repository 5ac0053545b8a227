#pragma once
// The geometry of the two anchor-bolt layouts of an exposed rigid base plate.
//
// Both bases have a tension row of bolts beyond each flange, neighbouring bolts 2c + ts apart,
// and a stiffener midway between neighbouring bolts from the flange to the plate end. The
// eight-bolt base has three bolts to a row and so two stiffeners beyond each flange; the ten-bolt
// base has four bolts to a row and three stiffeners. From that one difference follow the others:
// - the plate width: four or six spacings c, and two or three stiffener thicknesses;
// - the panel between the flanges beside the web, which reaches to the outer stiffener;
// - the share of the pressure under the plate one stiffener carries (Vi1);
// - the width the stiffeners and their welds take, which must fit within the flange width bf;
// - the count of stiffeners in the steel weight;
// - the web weld's leg, which the ten-bolt base also limits to 1.2·tw.
// Each of these is written here once: its value, its formula and, where a report or a remedy prints
// it with numbers, that text too.

#include <string>

#include "design/rigid/rigid_plate.h"

namespace pedivo::rigid {

struct BoltLayout {
  bool fourBoltsARow;    // ten bolts
  double n;              // twice the bolts of a tension row: 6 or 8
  double cSpacings;      // spacings c across the plate width: 4 or 6
  int stiffenersAcross;  // stiffeners across the plate width, beyond each flange: 2 or 3
  int spacingsBetweenStiffeners;  // spacings c within the outer faces of the stiffeners: 2 or 4
  bool checksWebWeldLeg;          // hf11 ≤ 1.2·tw
  // Short side a3 of the panel between the flanges beside the web, and how the report writes it.
  double (*panel4Width)(const RigidPlateHeld&);
  const char* panel4WidthFormula;
  // Vi1, the load one stiffener takes from the pressure q under the plate, and its formula with the
  // numbers put in.
  double (*stiffenerLoad)(const RigidPlateHeld&, double q);
  std::string (*stiffenerLoadValues)(const RigidPlateHeld&);

  // The anchor-bolt stiffeners in all, beyond both flanges.
  int stiffeners() const { return 2 * stiffenersAcross; }
  // The stiffeners' width within the flange without their welds: 2c + 2ts or 4c + 3ts.
  double layoutWidth(const RigidPlateHeld& h) const {
    return spacingsBetweenStiffeners * h.c + stiffenersAcross * h.tjjl;
  }
  // The same with a weld leg either side, what must fit within bf. C++ sums left to right, so this
  // is bit for bit the sum 2·c + 2·ts + 2·hf3 (4·c + 3·ts + 2·hf3) as it is written out.
  double layoutNeed(const RigidPlateHeld& h) const { return layoutWidth(h) + 2 * h.hf3; }
  // "2c + 2ts + 2hf", from the coefficients above; the same followed by its numbers:
  // "2c + 2ts + 2hf = 2×75 + 2×10 + 2×8".
  std::string layoutNeedFormula() const;
  std::string layoutNeedValues(const RigidPlateHeld& h) const;
};

extern const BoltLayout eightBolts;
extern const BoltLayout tenBolts;

// The layout a design was made with, as the design held it.
const BoltLayout& layoutOf(const RigidPlateHeld& h);

}  // namespace pedivo::rigid

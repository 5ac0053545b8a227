#pragma once
// The rigid exposed bases' checks of the concrete, the tension bolts and the shear key, and the
// plate round a tension bolt, written out with their numbers for a checker: the formula of the
// eccentricity case that applied, then the same with the held values put in, in the digits the
// report prints them.

#include <string>
#include <vector>

#include "design/common/design_check.h"
#include "design/common/rigid_base.h"
#include "design/common/rigid_branches.h"

namespace pedivo::rigidbase {

// What the pressure under the plate and the bolt tension were found from, and the case and method
// the calculation took.
struct PressureNumbers {
  double N, M, e, L, B, lt, xn, ylmax, ylmin, ta, n, Aems;
  Eccentricity eccentricity;
  CompressedZoneMethod zone;
};

// "bearing", "bolt" and "shear" of the list, written out for the case that applied.
void writePressureValues(std::vector<DesignCheck>& checks, const PressureNumbers& p);

// How the total bolt tension Ta was found, in kN, up to "= Ta": "Ta = … = [160×10³ − …]/(…)", or
// the words that say no bolt is pulled.
std::string boltTensionValues(const PressureNumbers& p);

// The plate round a tension bolt between two supports at a and c from it, with effective widths
// la (along a) and lc (along c): the thickness √(6·Nta·a·c³/(c³·la + a³·lc)/f) (a and c swapped
// when c ≤ a), then the same with its numbers.
struct BoltPanelNumbers {
  double a, c, lt, la, lc, Nta, f;
  const char* laSymbol = "la";  // the widths as the report names them
  const char* lcSymbol = "lc";
};
std::string boltPanelThicknessValues(const BoltPanelNumbers& p);
// The same in the form of the arm the step took.
std::string boltPanelThicknessValues(const BoltPanelNumbers& p, LongerArm longer);
// An effective width, the smaller of an arm's spread and a bound:
// "min(a·(3.5 − 1.5a/(a + lt)), c + bt) = min(90×(3.5 − 1.5×90/(90 + 60)), 75 + 60)".
struct Symbol {
  std::string name;
  double value;
};
std::string effectiveWidthValues(const Symbol& arm, const Symbol& beyond, const std::string& boundSymbols,
                                 const std::string& boundNumbers);
// The two widths of the plate in the corner round a tension bolt: along a up to c + bt, and
// along c up to a + lt.
struct CornerWidthValues {
  std::string alongA, alongC;
};
CornerWidthValues cornerWidthValues(double a, double c, double lt, double bt);

}  // namespace pedivo::rigidbase

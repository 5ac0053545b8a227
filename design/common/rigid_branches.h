#pragma once
// The branches the steps of a rigid exposed base took: where the resultant of N and M falls on the
// plate, how the pressure under the plate was found, what sized the plate. They are held with the
// design, so the report prints the formulas of the case the calculation took.

namespace pedivo::rigidbase {

enum class Eccentricity {
  NotFound,         // the pressure under the plate was not worked out
  Concentric,       // e = 0 (no moment, N in compression): the whole plate bears N/(L·B)
  WithinKern,       // 0 < e ≤ L/6: the whole plate in compression
  WithinBoltRow,    // L/6 < e ≤ L/6 + lt/3: part of the plate lifts, the bolts carry nothing
  TensionInside,    // axial tension with |e| ≤ L/6 + lt/3: beyond what the method covers
  BeyondBoltRow,    // |e| > L/6 + lt/3: the tension bolts hold the plate down
};

// How the compressed zone beyond the bolt row was found.
enum class CompressedZoneMethod {
  Linear,       // the linear pressure of N and M on the whole plate
  Equilibrium,  // large bolts: from the equilibrium of the plate with the bolt row, by bisection
};

// What the plate thickness was sized for: the panels' bending (tpbc) or the plate round the
// tension bolts (tpbt), whichever asks more.
enum class PlateSizedBy { Panels, Bolts };
inline PlateSizedBy plateSizedBy(double tpbc, double tpbt) { return tpbt > tpbc ? PlateSizedBy::Bolts : PlateSizedBy::Panels; }

// The second panel of the plate round a tension bolt lies between two supports across, the bolt
// midway: which of its spans takes the cube in the numerator of the thickness (the longer one,
// against the arm a to the column flange or boot beam taken twice).
enum class SecondPanelSpan {
  NotWorkedOut,  // the plate at the bolts was not sized (a blank window, the channel base)
  AlongA,        // the arm a: c² < 2a² between stiffeners, bf² < 8a² across the flange
  AlongC,        // eight and ten bolts: the stiffener spacing, the bolt at c from each stiffener
  AcrossFlange,  // T-shaped base: the flange width, the bolt at bf/2 from each stiffener
};

// Which arm of the plate round a tension bolt, from the bolt to either support, takes the cube in
// the numerator of its thickness: the longer, a when the two are equal.
enum class LongerArm { A, C };

}  // namespace pedivo::rigidbase

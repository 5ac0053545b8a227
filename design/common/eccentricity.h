#pragma once
// Where the resultant of N and M falls on the plate of a rigid exposed base, and how the pressure
// under the plate was found: both are held with the design, so the report prints the formulas of
// the case the calculation took.

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

}  // namespace pedivo::rigidbase

#pragma once
// The boot beam's outstand beyond the column as its slenderness check takes it, by the base's
// geometry (rigidbase::RigidGeometry::bootBeamOutstand), and the report tags of the moments of the
// boot beam's cantilever beyond the column.

#include <string_view>

#include "design/bootbeam/boot_beam.h"
#include "design/common/rigid_geometry.h"

namespace pedivo::bootbeam {

using rigidbase::BootBeamOutstand;

// The boot beam's outstand over its thickness, as its slenderness check compares it with
// 18·√(235/fy) (write5 holds (a + lt)/tsh for both bases), and the check's formula.
inline double outstandRatio(BootBeamOutstand outstand, const BootBeamHeld& h) {
  switch (outstand) {
    case BootBeamOutstand::None:
    case BootBeamOutstand::ToPlateEnd: return h.write5;
    case BootBeamOutstand::HalfBeyondColumn: return ((h.L - h.hb) / 2) / h.tsh;
  }
  return h.write5;
}
inline const char* outstandFormula(BootBeamOutstand outstand) {
  switch (outstand) {
    case BootBeamOutstand::None: return "";
    case BootBeamOutstand::ToPlateEnd: return "(a + lt)/tsh ≤ 18·√(235/fy)";
    case BootBeamOutstand::HalfBeyondColumn: return "((L − hb)/2)/tsh ≤ 18·√(235/fy)";
  }
  return "";
}

// The report tags of the cantilever's moments beyond the column, written with their numbers.
struct CantileverMomentTags {
  std::string_view pressure;  // the pressure's
  std::string_view boltRow;   // the bolt row's pull Ta·a, where the bolt row pulls the cantilever
};

}  // namespace pedivo::bootbeam

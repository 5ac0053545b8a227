#pragma once
// Where the parts of the two boot-beam bases stand, as far as the steps they share, their numbers
// and their report tell them apart. The T-shaped base holds its tension bolts on stiffeners outside
// the boot beams; the channel base closes the boot beams with a top plate over the bolts, with
// ribs beside them and diaphragms across.

#include <string>
#include <string_view>

#include "design/bootbeam/boot_beam.h"
#include "design/common/tables.h"

namespace pedivo::bootbeam {

// A part's outstand along the plate as the sum of two plate-layout distances.
struct LayoutOutstand {
  double BootBeamHeld::*first;
  double BootBeamHeld::*second;
  const char* firstSymbol;  // "c"
  const char* secondSymbol;  // "bt"

  double of(const BootBeamHeld& h) const { return h.*first + h.*second; }
  // The sum in symbols, "c + bt", and the two sizes named, "c、bt".
  std::string formula() const { return std::string(firstSymbol) + " + " + secondSymbol; }
  std::string sizes() const { return std::string(firstSymbol) + "、" + secondSymbol; }
};

// Across the plate from the column flange's centre line past the bolt to the plate edge.
inline constexpr LayoutOutstand flangeToPlateSide{&BootBeamHeld::c, &BootBeamHeld::bt, "c", "bt"};
// Along the plate from the boot beam past the bolt to the plate end.
inline constexpr LayoutOutstand bootBeamToPlateEnd{&BootBeamHeld::a, &BootBeamHeld::lt, "a", "lt"};

// The boot beam's outstand beyond the column, as its slenderness check writes it.
enum class BootBeamOutstand {
  ToPlateEnd,        // a + lt: the plate ends where the bolt layout does
  HalfBeyondColumn,  // (L − hb)/2: the plate grows in length past the bolt layout
};

// The boot beam's outstand over its thickness, as its slenderness check compares it with
// 18·√(235/fy) (write5 holds (a + lt)/tsh for both bases), and the check's formula.
inline double outstandRatio(BootBeamOutstand outstand, const BootBeamHeld& h) {
  switch (outstand) {
    case BootBeamOutstand::ToPlateEnd: return h.write5;
    case BootBeamOutstand::HalfBeyondColumn: return ((h.L - h.hb) / 2) / h.tsh;
  }
  return h.write5;
}
inline const char* outstandFormula(BootBeamOutstand outstand) {
  switch (outstand) {
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

struct BootBeamGeometry {
  // The stiffener's (rib's) outstand along the plate: its width over its thickness, and the
  // length its weld to the plate runs and the arm its upstand weld bends over.
  LayoutOutstand stiffenerArm;
  // Its slenderness check: that outstand over its thickness ts.
  const char* stiffenerSlendernessFormula;
  // What the stiffener's (rib's) section and its upstand weld lose in height to corner cuts, mm.
  double stiffenerCornerCut;
  BootBeamOutstand bootBeamOutstand;
  // The tension bolts stand on the boot beam's cantilever beyond the column, and their row's pull
  // Ta·a bends it beside the pressure under it: the moments the section takes and those printed.
  bool boltRowOnCantilever;
  CantileverMomentTags cantileverMomentTags;
  // The tension bolts stand outside the boot beams: the plate at the bolts is sized for their pull.
  bool hasBoltZonePlate;
  // The stiffener carries the pressure on the plate beside the boot beam as well as a bolt's pull.
  bool stiffenerTakesPressure;
  // A top plate closes the boot beams, its thickness listed with theirs, and diaphragms span
  // between them under the pressure beyond the column.
  bool hasTopPlate;
};

// Stiffeners beside the tension bolts outside the boot beams, cut at their corner on the plate.
inline constexpr BootBeamGeometry tShapedGeometry{
    .stiffenerArm = flangeToPlateSide,
    .stiffenerSlendernessFormula = "(c + bt)/ts ≤ 18·√(235/fy)",
    .stiffenerCornerCut = tables::stiffenerCornerCut,
    .bootBeamOutstand = BootBeamOutstand::ToPlateEnd,
    .boltRowOnCantilever = true,
    .cantileverMomentTags = {"<#Msh11values>", "<#Msh12values>"},
    .hasBoltZonePlate = true,
    .stiffenerTakesPressure = true,
    .hasTopPlate = false,
};

// Ribs beside the tension bolts under the top plate, cut at both ends: at the plate and under the
// top plate.
inline constexpr BootBeamGeometry channelGeometry{
    .stiffenerArm = bootBeamToPlateEnd,
    .stiffenerSlendernessFormula = "(a + lt)/ts ≤ 18·√(235/fy)",
    .stiffenerCornerCut = tables::ribCornerCuts,
    .bootBeamOutstand = BootBeamOutstand::HalfBeyondColumn,
    .boltRowOnCantilever = false,
    .cantileverMomentTags = {"<#Msh1values>", {}},
    .hasBoltZonePlate = false,
    .stiffenerTakesPressure = false,
    .hasTopPlate = true,
};

}  // namespace pedivo::bootbeam

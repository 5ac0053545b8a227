#pragma once
// The shape of the four exposed rigid bases, one record each: how many bolts pull, which bolt a
// design starts from, how the pressure under the plate is worked out, where the stiffener (the
// channel base's rib) stands and how far it reaches out, what its corners lose, what the plate
// round the tension bolts spans between, and how the plate's width and the flange width follow
// from the bolt spacing c. The steps the bases share read these values from the record of the
// base they design rather than asking which base it is; the report's words stay with each base.
//
// The functions take the values all four bases hold alike (ExposedRigidHeld), so one record type
// serves the bolt plates and the boot-beam bases.

#include <string>

#include "design/common/exposed_rigid_held.h"
#include "design/common/rigid_base.h"
#include "design/common/tables.h"

namespace pedivo::rigidbase {

// A part's outstand along or across the plate as the sum of two plate-layout distances.
struct LayoutOutstand {
  double ExposedRigidHeld::*first;
  double ExposedRigidHeld::*second;
  const char* firstSymbol;   // "c"
  const char* secondSymbol;  // "bt"

  double of(const ExposedRigidHeld& h) const { return h.*first + h.*second; }
  // The sum in symbols, "c + bt", and the two sizes named, "c、bt".
  std::string formula() const { return std::string(firstSymbol) + " + " + secondSymbol; }
  std::string sizes() const { return std::string(firstSymbol) + "、" + secondSymbol; }
};

// Across the plate past the bolt to the plate edge; on the T-shaped base from the boot beam's outer
// face, the plate being 2c + bf + 2bt + 2tsh wide.
inline constexpr LayoutOutstand acrossToPlateSide{&ExposedRigidHeld::c, &ExposedRigidHeld::bt, "c", "bt"};
// Along the plate from the column flange (or the boot beam on it) past the bolt to the plate end.
inline constexpr LayoutOutstand alongToPlateEnd{&ExposedRigidHeld::a, &ExposedRigidHeld::lt, "a", "lt"};

// What the stiffener's slenderness check takes as its outstand: the arm itself, or half the
// plate beyond the column, (L − hb)/2. The bolt plates' stiffener runs the full length beyond the
// flange; a + lt equals (L − hb)/2 only up to the plan's rounding, and a given plate need not
// keep it, so the check keeps the plate's own measure.
enum class SlendernessOutstand { Arm, HalfBeyondColumn };

// The boot beam's outstand beyond the column as its slenderness check takes it; none without
// boot beams.
enum class BootBeamOutstand {
  None,
  ToPlateEnd,        // a + lt: the plate ends where the bolt layout does
  HalfBeyondColumn,  // (L − hb)/2: the plate grows in length past the bolt layout
};

// The plate round a tension bolt, sized for the bolt's pull where stiffeners hold it down.
enum class BoltZonePlate {
  None,               // the bolts pull on the top plate over the boot beams
  BetweenStiffeners,  // second panel between two stiffeners 2c apart
  AcrossFlange,       // second panel across the flange width bf
};

// What must fit within the flange width bf: spacings c, stiffener thicknesses ts and weld legs
// hf across it. A base with no spacing c across its flange has nothing to fit.
struct FlangeFit {
  int spacings;    // c
  int stiffeners;  // ts
  int weldLegs;    // hf3
  bool checked() const { return spacings > 0; }
};

struct RigidGeometry {
  double n;                // twice the bolts of a tension row
  double startingBolt;     // the first anchor-bolt diameter a design tries, mm
  PressurePolicy pressure;
  // Where the stiffener (rib) stands, as its arm to the plate's edge: along the plate from the
  // column flange to the plate end (the bolt plates' stiffener between neighbouring bolts, the
  // channel's rib beside a bolt under the top plate), or across it from the boot beam's outer face
  // to the plate edge (the T-shaped base). The length its weld to the plate runs where it bends
  // along it, and the outstand of its slenderness on the boot beams.
  LayoutOutstand stiffenerArm;
  SlendernessOutstand stiffenerSlenderness;
  // What the stiffener's section and its upstand weld lose in height to corner cuts, mm.
  double stiffenerCornerCut;
  BootBeamOutstand bootBeamOutstand;
  // The tension bolts stand on the boot beam's cantilever beyond the column, and their row's pull
  // Ta·a bends it beside the pressure under it.
  bool boltRowOnCantilever;
  BoltZonePlate boltZonePlate;
  // The stiffener carries the pressure on the plate beside the boot beam as well as a bolt's pull.
  bool stiffenerTakesPressure;
  // A top plate closes the boot beams, and diaphragms span between them.
  bool hasTopPlate;
  // Spacings c and stiffeners across the plate width, beyond each flange; the channel base's width
  // follows its boot beams and has neither.
  double cSpacings = 0;
  int stiffenersAcross = 0;
  FlangeFit flangeFit{};
  bool checksWebWeldLeg = false;  // the column's web weld's leg no more than 1.2·tw
  // The bolt plates' panel between the flanges beside the web reaches to the outer stiffener: its
  // short side a3 and its formula. None on the boot-beam bases.
  double (*panel4Width)(const ExposedRigidHeld&) = nullptr;
  const char* panel4WidthFormula = nullptr;
  // The bolt plates' Vi1, the pressure q one stiffener carries over its share of the width, and
  // its formula with the numbers put in. None on the boot-beam bases.
  double (*stiffenerLoad)(const ExposedRigidHeld&, double q) = nullptr;
  std::string (*stiffenerLoadValues)(const ExposedRigidHeld&) = nullptr;

  // The stiffeners in all, beyond both flanges.
  int stiffeners() const { return 2 * stiffenersAcross; }
};

// The stiffener's outstand over which its slenderness is checked, mm.
inline double stiffenerOutstand(const RigidGeometry& g, const ExposedRigidHeld& h) {
  return g.stiffenerSlenderness == SlendernessOutstand::HalfBeyondColumn ? (h.L - h.hb) / 2 : g.stiffenerArm.of(h);
}

// The stiffener's slenderness check in symbols: "(c + bt)/ts ≤ 18·√(235/fy)".
std::string stiffenerSlendernessFormula(const RigidGeometry& g);

// What the flange must be wide to take the bolt layout. Summed left to right with only the terms
// the layout has, so the need is bit for bit 2·c + 2·ts + 2·hf3 as written out (2·c alone on the
// T-shaped base).
double flangeFitNeed(const FlangeFit& fit, const ExposedRigidHeld& h);
// "2c + 2ts + 2hf", and the same followed by its numbers: "2c + 2ts + 2hf = 2×75 + 2×10 + 2×8".
std::string flangeFitFormula(const FlangeFit& fit);
std::string flangeFitValues(const FlangeFit& fit, const ExposedRigidHeld& h);

// The bolt plates' loads of one stiffener and their texts, one for each layout.
double eightBoltStiffenerLoad(const ExposedRigidHeld& h, double q);
double tenBoltStiffenerLoad(const ExposedRigidHeld& h, double q);
std::string eightBoltStiffenerLoadValues(const ExposedRigidHeld& h);
std::string tenBoltStiffenerLoadValues(const ExposedRigidHeld& h);

// The bolt plates' panel beside the web: to the outer stiffener of two, or of three (the middle
// stiffener's thickness within it).
inline double eightBoltPanel4Width(const ExposedRigidHeld& h) { return (2 * h.c - h.tw) / 2; }
inline double tenBoltPanel4Width(const ExposedRigidHeld& h) { return (4 * h.c + h.tjjl - h.tw) / 2; }

// The pressure's last residual that ends the bisection of the compressed zone: the channel base
// settles for a looser one.
inline constexpr double zoneTolerance = 1e-6;
inline constexpr double channelZoneTolerance = 5e-6;

// Three bolts to a tension row beyond each flange, two stiffeners between them.
inline constexpr RigidGeometry eightBoltGeometry{
    .n = 6,
    .startingBolt = 24,
    .pressure = {OperandOrder::OverPlateArea, zoneTolerance, false},
    .stiffenerArm = alongToPlateEnd,
    .stiffenerSlenderness = SlendernessOutstand::HalfBeyondColumn,
    .stiffenerCornerCut = tables::stiffenerCornerCut,
    .bootBeamOutstand = BootBeamOutstand::None,
    .boltRowOnCantilever = false,
    .boltZonePlate = BoltZonePlate::BetweenStiffeners,
    .stiffenerTakesPressure = true,
    .hasTopPlate = false,
    .cSpacings = 4,
    .stiffenersAcross = 2,
    .flangeFit = {.spacings = 2, .stiffeners = 2, .weldLegs = 2},
    .checksWebWeldLeg = false,
    .panel4Width = eightBoltPanel4Width,
    .panel4WidthFormula = "(2c − tw)/2",
    .stiffenerLoad = eightBoltStiffenerLoad,
    .stiffenerLoadValues = eightBoltStiffenerLoadValues,
};

// Four bolts to a tension row, three stiffeners between them; the web weld's leg is limited. The
// eight-bolt plate otherwise: the same bolt, pressure and stiffener rules.
inline constexpr RigidGeometry tenBoltGeometry = [] {
  RigidGeometry g = eightBoltGeometry;
  g.n = 8;
  g.cSpacings = 6;
  g.stiffenersAcross = 3;
  g.flangeFit = {.spacings = 4, .stiffeners = 3, .weldLegs = 2};
  g.checksWebWeldLeg = true;
  g.panel4Width = tenBoltPanel4Width;
  g.panel4WidthFormula = "(4c + ts − tw)/2";
  g.stiffenerLoad = tenBoltStiffenerLoad;
  g.stiffenerLoadValues = tenBoltStiffenerLoadValues;
  return g;
}();

// Three tension bolts outside each boot beam on stiffeners across the plate, cut at their corner
// on the plate; the bolts 2c apart across the flange width.
inline constexpr RigidGeometry tShapedGeometry{
    .n = 6,
    .startingBolt = 20,
    .pressure = {OperandOrder::SideBySide, zoneTolerance, false},
    .stiffenerArm = acrossToPlateSide,
    .stiffenerSlenderness = SlendernessOutstand::Arm,
    .stiffenerCornerCut = tables::stiffenerCornerCut,
    .bootBeamOutstand = BootBeamOutstand::ToPlateEnd,
    .boltRowOnCantilever = true,
    .boltZonePlate = BoltZonePlate::AcrossFlange,
    .stiffenerTakesPressure = true,
    .hasTopPlate = false,
    .cSpacings = 2,
    .flangeFit = {.spacings = 2, .stiffeners = 0, .weldLegs = 0},
};

// Two tension bolts under a top plate over the boot beams, ribs beside them cut at both ends (at
// the plate and under the top plate); the zone within the bolt row reaches to the bolt row.
inline constexpr RigidGeometry channelGeometry{
    .n = 4,
    .startingBolt = 24,
    .pressure = {OperandOrder::SideBySide, channelZoneTolerance, true},
    .stiffenerArm = alongToPlateEnd,
    .stiffenerSlenderness = SlendernessOutstand::Arm,
    .stiffenerCornerCut = tables::ribCornerCuts,
    .bootBeamOutstand = BootBeamOutstand::HalfBeyondColumn,
    .boltRowOnCantilever = false,
    .boltZonePlate = BoltZonePlate::None,
    .stiffenerTakesPressure = false,
    .hasTopPlate = true,
};

}  // namespace pedivo::rigidbase

#pragma once
// Design strengths, anchor-bolt data and plate moment coefficients.
// Strengths in N/mm², lengths in mm, areas in mm². Grades are keyed by the exact list text and
// by the edition of the steel code the design follows; concrete is the same in both editions.

#include <cmath>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace pedivo::tables {

inline constexpr double Es = 1e5 * 2.06;  // elastic modulus of steel
inline constexpr double betaF = 1.22;     // strength increase of front fillet welds
inline constexpr double filletThroat = 0.7;  // throat of a fillet weld over its leg
inline constexpr double largestFilletLeg = 16;  // the largest leg a fillet weld is given, mm
// The corner of a stiffener, rib or boot beam cut off where it meets plate and column, clear of
// their fillet welds: its section and its welds lose this much of the height, mm.
inline constexpr double stiffenerCornerCut = 15;
// A rib under a top plate is cut at both ends.
inline constexpr double ribCornerCuts = 2 * stiffenerCornerCut;
// A vertical weld to the column stops this far below the top of its plate, mm.
inline constexpr double weldStopBelowTop = 20;
// The largest leg of a fillet weld on a part t mm thick is 1.2·t.
inline constexpr double largestLegFactor = 1.2;
// The smallest leg of a fillet weld on a part t mm thick, 1.5·√t (before rounding).
inline constexpr double smallestLegFactor = 1.5;
inline double smallestFilletLeg(double t) { return smallestLegFactor * std::sqrt(t); }
// A part in bending and shear is held to its equivalent stress √(σ² + 3τ²) ≤ 1.1·f.
inline constexpr double equivalentStressFactor = 1.1;
// Friction of the plate on the grout: shear up to 0.4·N (with the bolt tension, 0.4·(N + Ta))
// needs no shear key.
inline constexpr double frictionCoefficient = 0.4;
// The friction under a plate pressed onto the grout by `compression` (N, or N + Ta); a plate that
// the forces lift off the grout has none.
inline double frictionResistance(double compression) {
  const double friction = frictionCoefficient * compression;
  return friction > 0 ? friction : 0.0;
}

// The largest outstand over thickness of a stiffener or boot beam, 18·√(235/fy): the limit of
// Q235 steel scaled by the grade's yield strength.
inline constexpr double outstandRatioOfQ235 = 18;
inline constexpr double yieldOfQ235 = 235;
inline double outstandLimit(double fy) { return outstandRatioOfQ235 * std::sqrt(yieldOfQ235 / fy); }

// ---- what a design starts from and the steps its parts grow by, mm
// A base plate is never thinner than this.
inline constexpr double thinnestBasePlate = 20;
// Stiffeners, ribs, boot beams and diaphragms grow higher by this much a round.
inline constexpr double heightStep = 10;
// Stiffeners and boot beams grow thicker by this much a round, fillet legs likewise (even sizes).
inline constexpr double thicknessStep = 2;
inline constexpr double legStep = 2;
// An anchor-bolt stiffener starts this high and this thick; a boot beam this thick.
inline constexpr double startingStiffenerHeight = 200;
inline constexpr double startingStiffenerThickness = 8;
inline constexpr double startingBootBeamThickness = 10;
// A fillet weld of a column or a stiffener to the base plate starts from at least this leg.
inline constexpr double smallestPlateWeldLeg = 6;
// A pinned base's plate starts 20 mm past the column on every side, and grows this much a round
// both ways until the concrete bears it.
inline constexpr double pinnedPlateBeyondColumn = 40;
inline constexpr double pinnedPlateStep = 10;
// An embedded H column goes at least leastEmbedmentInDepths section depths into the foundation,
// and never less than leastEmbedment; deeper, it goes down embedmentStep a round.
inline constexpr double leastEmbedmentInDepths = 1.5;
inline constexpr double leastEmbedment = 500;
inline constexpr double embedmentStep = 10;
// A fillet weld counts over at most this many legs of its length; 2 legs of it are lost at its ends.
inline constexpr double longestWeldInLegs = 60;
inline constexpr double weldEndsInLegs = 2;

// The edition of GB 50017 whose strengths a design uses.
enum class CodeEdition { Gb2003, Gb2017 };

inline constexpr std::string_view edition2003Text = "GB 50017-2003";
inline constexpr std::string_view edition2017Text = "GB 50017-2017";
// A window's list text, "GB 50017-2003", to its edition; none for any other text.
std::optional<CodeEdition> codeEdition(std::string_view listText);
std::string_view editionText(CodeEdition edition);
// The code's full title as a report cites it: "《钢结构设计规范》GB 50017-2003".
std::string_view editionTitle(CodeEdition edition);

// The grades an edition offers, in list order.
std::span<const std::string_view> steelGradeNames(CodeEdition edition);
std::span<const std::string_view> boltGradeNames(CodeEdition edition);

struct Concrete {
  double fc;   // compressive strength
  double Ec;   // elastic modulus
  double fct;  // tensile strength
};
std::optional<Concrete> concrete(std::string_view grade);

// Tensile strength of an anchor bolt.
std::optional<double> anchorBoltFta(CodeEdition edition, std::string_view grade);

// One thickness band of a steel grade: parts up to and including `upTo` mm thick.
struct StrengthBand {
  double upTo;
  double f;   // strength in tension, compression and bending
  double fv;  // shear strength
};

struct SteelGrade {
  std::string_view name;
  double fy;   // yield strength
  double ffw;  // fillet-weld strength
  std::span<const StrengthBand> bands;  // thinnest first; the last ends at 100 mm
};
const SteelGrade* steelGrade(CodeEdition edition, std::string_view name);

// Base plates: the bands above 16 mm form the thickness groups, the last one open-ended.
// Group 1 holds the thinnest plates.
int plateThicknessGroup(const SteelGrade& grade, double t);
double plateStrengthOfGroup(const SteelGrade& grade, int group);
int plateThicknessGroupCount(const SteelGrade& grade);

// Rolled parts: every band up to 100 mm; beyond, the strength held before (previousF) is kept.
double rolledStrength(const SteelGrade& grade, double t, double previousF);

// Stiffeners and ribs: the bands of rolled parts up to 40 mm; beyond, previousF is kept.
double stiffenerStrength(const SteelGrade& grade, double t, double previousF);
// The strength a stiffener of given thickness keeps where no thinner one was worked out before it
// (a check of given sizes): past the table, that of its last band, which a stiffener grown past it
// keeps.
double givenStiffenerStrength(const SteelGrade& grade, double t);

// Plates in bending and shear: f and fv by every band, the last one open-ended, with fy.
struct BendingShearStrength {
  double f;
  double fv;
  double fy;
};
BendingShearStrength bendingShearStrength(const SteelGrade& grade, double t);

struct PlateThickness {
  double t;  // required thickness in its final group
  double f;  // strength of that group
};
// Required plate thickness with the strength of its own thickness group: starts in the thinnest
// group and recomputes while the thickness falls into another one. f only falls as the group
// rises, so the thickness only grows and the plate only moves to thicker groups: at most one
// round a group. requiredThickness(f) gives t for a strength f.
template <class RequiredThickness>
PlateThickness plateThicknessByGroup(const SteelGrade& grade, RequiredThickness&& requiredThickness) {
  int group = 1;
  double f = plateStrengthOfGroup(grade, group);
  double t = requiredThickness(f);
  for (int round = 0; round < plateThicknessGroupCount(grade); ++round) {
    const int newGroup = plateThicknessGroup(grade, t);
    if (newGroup == group) break;
    group = newGroup;
    f = plateStrengthOfGroup(grade, group);
    t = requiredThickness(f);
  }
  return PlateThickness{t, f};
}

// Moment coefficient of a plate panel supported on three sides (or two adjacent sides), by the
// side ratio r.
double alf(double r);
// Moment coefficient of a plate panel supported on four sides, by the side ratio r.
double beta(double r);

struct AnchorBolt {
  int dms;      // nominal diameter
  double Aems;  // effective stressed area of one bolt
  double a;     // detailing distances of the plate layout
  double c;
};
std::optional<AnchorBolt> anchorBolt(int dms);

// A hot-rolled H section used as a shear key under the plate: depth h, flange width b, web and
// flange thickness, mm, with its name as the steel list writes it.
struct HSection {
  std::string_view name;  // "HW150×150×7×10"
  double h, b, tw, tf;
};
// The shear-key sections on offer, lightest first.
std::span<const HSection> shearKeySections();

// lt = bt = 2·dms + 4, the detailing distances that follow from the diameter.
double boltEdgeDistance(int dms);

// Next bolt size up; none beyond 100 mm.
std::optional<int> nextBoltDiameter(int dms);

// The square washer plate under an anchor bolt's nuts, welded to the base plate once the column
// stands: side about three bolt diameters, thickness about half a diameter, its hole 2 mm over
// the bolt.
struct WasherPlate {
  int dms;
  double side, thickness, hole;
};
std::optional<WasherPlate> washerPlate(int dms);

}  // namespace pedivo::tables

#pragma once
// Design strengths, anchor-bolt data and plate moment coefficients.
// Strengths in N/mm², lengths in mm, areas in mm². Grades are keyed by the exact list text.

#include <functional>
#include <optional>
#include <string_view>

namespace pedivo::tables {

inline constexpr double Es = 1e5 * 2.06;  // elastic modulus of steel
inline constexpr double betaF = 1.22;     // strength increase of front fillet welds

struct Concrete {
  double fc;   // compressive strength
  double Ec;   // elastic modulus
  double fct;  // tensile strength
};
std::optional<Concrete> concrete(std::string_view grade);

// Tensile strength of an anchor bolt.
std::optional<double> anchorBoltFta(std::string_view grade);

struct SteelBasics {
  double fy;   // yield strength
  double ffw;  // fillet-weld strength
};
std::optional<SteelBasics> steelBasics(std::string_view grade);

// Base plates: group 1 for t ≤ 40, group 2 for t ≤ 60, group 3 beyond.
int plateThicknessGroup(double t);
std::optional<double> plateStrengthOfGroup(std::string_view grade, int group);

// Rolled parts, bands t ≤ 16, ≤ 40, ≤ 60, ≤ 100. Beyond the last band the strength held
// before (previousF) is kept.
std::optional<double> rolledStrength(std::string_view grade, double t, double previousF);

// Stiffeners and ribs, bands t ≤ 16, ≤ 40; beyond, previousF is kept.
std::optional<double> stiffenerStrength(std::string_view grade, double t, double previousF);

// Plates in bending and shear: f and fv by bands ≤ 16, ≤ 40, ≤ 60, > 60, with fy.
struct BendingShearStrength {
  double f;
  double fv;
  double fy;
};
std::optional<BendingShearStrength> bendingShearStrength(std::string_view grade, double t);

struct PlateThickness {
  double t;  // required thickness in its final group
  double f;  // strength of that group
};
// Required plate thickness with the strength of its own thickness group: starts in group 1 and
// recomputes while the thickness falls into another group (f only falls as the group rises, so
// this ends within three rounds). requiredThickness(f) gives t for a strength f.
std::optional<PlateThickness> plateThicknessByGroup(std::string_view grade,
                                                    const std::function<double(double f)>& requiredThickness);

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

// lt = bt = 2·dms + 4, the detailing distances that follow from the diameter.
double boltEdgeDistance(int dms);

// Next bolt size up; none beyond 100 mm.
std::optional<int> nextBoltDiameter(int dms);

}  // namespace pedivo::tables

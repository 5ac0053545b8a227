#include "design/common/tables.h"

#include <array>
#include <string_view>

namespace pedivo::tables {
namespace {

struct ConcreteRow {
  std::string_view grade;
  Concrete values;
};
constexpr std::array<ConcreteRow, 5> concreteRows{{
    {"C20", {9.6, 25500, 1.10}},
    {"C25", {11.9, 28000, 1.27}},
    {"C30", {14.3, 30000, 1.43}},
    {"C35", {16.7, 31500, 1.57}},
    {"C40", {19.1, 32500, 1.71}},
}};

struct BoltGradeRow {
  std::string_view grade;
  double fta;
};
constexpr std::array<BoltGradeRow, 2> boltGradeRows{{{"Q235", 140}, {"Q345", 180}}};

struct SteelRow {
  std::string_view grade;
  SteelBasics basics;
  std::array<double, 3> plateGroups;     // t ≤ 40, ≤ 60, > 60
  std::array<double, 4> rolledBands;     // t ≤ 16, ≤ 40, ≤ 60, ≤ 100
  std::array<double, 2> stiffenerBands;  // t ≤ 16, ≤ 40
  std::array<double, 4> bendingF;        // t ≤ 16, ≤ 40, ≤ 60, > 60
  std::array<double, 4> bendingFv;
};
constexpr std::array<SteelRow, 4> steelRows{{
    {"Q235", {235, 160}, {205, 200, 190}, {215, 205, 200, 190}, {215, 205}, {215, 205, 200, 190}, {125, 120, 115, 110}},
    {"Q345", {345, 200}, {295, 265, 250}, {310, 295, 265, 250}, {310, 295}, {310, 295, 265, 250}, {180, 170, 155, 145}},
    {"Q390", {390, 220}, {335, 315, 295}, {350, 335, 315, 295}, {350, 335}, {350, 335, 315, 295}, {205, 190, 180, 170}},
    {"Q420", {420, 220}, {360, 340, 325}, {380, 360, 340, 325}, {380, 360}, {380, 360, 340, 325}, {220, 210, 195, 185}},
}};

const SteelRow* steelRow(std::string_view grade) {
  for (const auto& row : steelRows)
    if (row.grade == grade) return &row;
  return nullptr;
}

// A band holds thicknesses up to and including its limit.
std::optional<std::size_t> bandIndex(double t, const double* limits, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i)
    if (t <= limits[i]) return i;
  return std::nullopt;
}

// One interval of a piecewise-linear coefficient table: for rLo < r ≤ rHi,
// k = kLo + (r − rLo)·dk/dr, with dk and dr written as exact decimals.
struct Segment {
  double rLo, rHi, kLo, dk, dr;
};

constexpr std::array<Segment, 12> alfSegments{{
    {0.3, 0.35, 0.027, 0.009, 0.05},
    {0.35, 0.55, 0.036, 0.032, 0.2},
    {0.55, 0.6, 0.068, 0.007, 0.05},
    {0.6, 0.7, 0.075, 0.012, 0.1},
    {0.7, 0.8, 0.087, 0.01, 0.1},
    {0.8, 0.95, 0.097, 0.012, 0.15},
    {0.95, 1.0, 0.109, 0.003, 0.05},
    {1.0, 1.1, 0.112, 0.005, 0.1},
    {1.1, 1.2, 0.117, 0.004, 0.1},
    {1.2, 1.3, 0.121, 0.003, 0.1},
    {1.3, 1.5, 0.124, 0.004, 0.2},
    {1.5, 2.0, 0.128, 0.004, 0.5},
}};

constexpr std::array<Segment, 8> betaSegments{{
    {1.0, 1.05, 0.048, 0.004, 0.05},
    {1.05, 1.1, 0.052, 0.003, 0.05},
    {1.1, 1.2, 0.055, 0.008, 0.1},
    {1.2, 1.55, 0.063, 0.021, 0.35},
    {1.55, 1.6, 0.084, 0.002, 0.05},
    {1.6, 1.65, 0.086, 0.003, 0.05},
    {1.65, 1.9, 0.089, 0.01, 0.25},
    {1.9, 2.0, 0.099, 0.003, 0.1},
}};

template <std::size_t Count>
double piecewise(const std::array<Segment, Count>& segments, double r, double atFirst, double outside) {
  if (r == segments.front().rLo) return atFirst;
  for (const auto& s : segments)
    if (r > s.rLo && r <= s.rHi) return s.kLo + (r - s.rLo) * s.dk / s.dr;
  return outside;
}

constexpr std::array<AnchorBolt, 23> boltRows{{
    {20, 245, 50, 60},    {22, 303, 55, 65},    {24, 353, 60, 70},    {27, 459, 70, 70},
    {30, 561, 75, 75},    {33, 694, 85, 75},    {36, 817, 90, 80},    {39, 976, 100, 85},
    {42, 1121, 105, 85},  {45, 1306, 110, 90},  {48, 1473, 120, 90},  {52, 1758, 130, 100},
    {56, 2030, 140, 105}, {60, 2362, 150, 110}, {64, 2676, 160, 120}, {68, 3055, 170, 130},
    {72, 3460, 180, 140}, {76, 3889, 190, 150}, {80, 4344, 200, 160}, {85, 4948, 210, 170},
    {90, 5591, 230, 180}, {95, 6273, 240, 190}, {100, 6995, 250, 200},
}};

constexpr int largestBoltDiameter = 100;

}  // namespace

std::optional<Concrete> concrete(std::string_view grade) {
  for (const auto& row : concreteRows)
    if (row.grade == grade) return row.values;
  return std::nullopt;
}

std::optional<double> anchorBoltFta(std::string_view grade) {
  for (const auto& row : boltGradeRows)
    if (row.grade == grade) return row.fta;
  return std::nullopt;
}

std::optional<SteelBasics> steelBasics(std::string_view grade) {
  const SteelRow* row = steelRow(grade);
  if (row == nullptr) return std::nullopt;
  return row->basics;
}

int plateThicknessGroup(double t) {
  if (t <= 40) return 1;
  if (t <= 60) return 2;
  return 3;
}

std::optional<double> plateStrengthOfGroup(std::string_view grade, int group) {
  const SteelRow* row = steelRow(grade);
  if (row == nullptr || group < 1 || group > 3) return std::nullopt;
  return row->plateGroups[static_cast<std::size_t>(group - 1)];
}

std::optional<double> rolledStrength(std::string_view grade, double t, double previousF) {
  const SteelRow* row = steelRow(grade);
  if (row == nullptr) return std::nullopt;
  constexpr double limits[] = {16, 40, 60, 100};
  const auto band = bandIndex(t, limits, 4);
  return band ? row->rolledBands[*band] : previousF;
}

std::optional<double> stiffenerStrength(std::string_view grade, double t, double previousF) {
  const SteelRow* row = steelRow(grade);
  if (row == nullptr) return std::nullopt;
  constexpr double limits[] = {16, 40};
  const auto band = bandIndex(t, limits, 2);
  return band ? row->stiffenerBands[*band] : previousF;
}

std::optional<BendingShearStrength> bendingShearStrength(std::string_view grade, double t) {
  const SteelRow* row = steelRow(grade);
  if (row == nullptr) return std::nullopt;
  constexpr double limits[] = {16, 40, 60};
  const std::size_t band = bandIndex(t, limits, 3).value_or(3);
  return BendingShearStrength{row->bendingF[band], row->bendingFv[band], row->basics.fy};
}

std::optional<PlateThickness> plateThicknessByGroup(std::string_view grade,
                                                    const std::function<double(double f)>& requiredThickness) {
  int group = 1;
  auto f = plateStrengthOfGroup(grade, group);
  if (!f) return std::nullopt;
  double t = requiredThickness(*f);
  // Three groups: at most one move into each of groups 2 and 3.
  for (int round = 0; round < 3; ++round) {
    const int newGroup = plateThicknessGroup(t);
    if (newGroup == group) break;
    group = newGroup;
    f = plateStrengthOfGroup(grade, group);
    t = requiredThickness(*f);
  }
  return PlateThickness{t, *f};
}

double alf(double r) { return piecewise(alfSegments, r, 0.027, 0.133); }

double beta(double r) { return piecewise(betaSegments, r, 0.048, 0.125); }

std::optional<AnchorBolt> anchorBolt(int dms) {
  for (const auto& row : boltRows)
    if (row.dms == dms) return row;
  return std::nullopt;
}

double boltEdgeDistance(int dms) { return 2.0 * dms + 4.0; }

std::optional<int> nextBoltDiameter(int dms) {
  int next = 0;
  if (dms <= 22) {
    next = dms + 2;
  } else if (dms <= 45) {
    next = dms + 3;
  } else if (dms <= 76) {
    next = dms + 4;
  } else {
    next = dms + 5;
  }
  if (next > largestBoltDiameter) return std::nullopt;
  return next;
}

}  // namespace pedivo::tables

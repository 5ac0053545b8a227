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

// Strength bands of each grade by edition: upper limit of the band, f, fv.
constexpr StrengthBand q235Of2003[] = {{16, 215, 125}, {40, 205, 120}, {60, 200, 115}, {100, 190, 110}};
constexpr StrengthBand q345Of2003[] = {{16, 310, 180}, {35, 295, 170}, {50, 265, 155}, {100, 250, 145}};
constexpr StrengthBand q390Of2003[] = {{16, 350, 205}, {35, 335, 190}, {50, 315, 180}, {100, 295, 170}};
constexpr StrengthBand q420Of2003[] = {{16, 380, 220}, {35, 360, 210}, {50, 340, 195}, {100, 325, 185}};

constexpr StrengthBand q235Of2017[] = {{16, 215, 125}, {40, 205, 120}, {100, 200, 115}};
constexpr StrengthBand q355Of2017[] = {{16, 305, 175}, {40, 295, 170}, {63, 290, 165}, {80, 280, 160}, {100, 270, 155}};
constexpr StrengthBand q390Of2017[] = {{16, 345, 200}, {40, 330, 190}, {63, 310, 180}, {100, 295, 170}};
constexpr StrengthBand q420Of2017[] = {{16, 375, 215}, {40, 355, 205}, {63, 320, 185}, {100, 305, 175}};
constexpr StrengthBand q460Of2017[] = {{16, 410, 235}, {40, 390, 225}, {63, 355, 205}, {100, 340, 195}};

constexpr SteelGrade steelOf2003[] = {
    {"Q235", 235, 160, q235Of2003},
    {"Q345", 345, 200, q345Of2003},
    {"Q390", 390, 220, q390Of2003},
    {"Q420", 420, 220, q420Of2003},
};
constexpr SteelGrade steelOf2017[] = {
    {"Q235", 235, 160, q235Of2017},
    {"Q355", 355, 200, q355Of2017},
    {"Q390", 390, 200, q390Of2017},
    {"Q420", 420, 220, q420Of2017},
    {"Q460", 460, 220, q460Of2017},
};
constexpr std::string_view steelNamesOf2003[] = {"Q235", "Q345", "Q390", "Q420"};
constexpr std::string_view steelNamesOf2017[] = {"Q235", "Q355", "Q390", "Q420", "Q460"};

struct BoltGradeRow {
  std::string_view grade;
  double fta;
};
constexpr BoltGradeRow boltsOf2003[] = {{"Q235", 140}, {"Q345", 180}};
constexpr BoltGradeRow boltsOf2017[] = {{"Q235", 140}, {"Q355", 180}, {"Q390", 185}};
constexpr std::string_view boltNamesOf2003[] = {"Q235", "Q345"};
constexpr std::string_view boltNamesOf2017[] = {"Q235", "Q355", "Q390"};

std::span<const SteelGrade> steelGrades(CodeEdition edition) {
  if (edition == CodeEdition::Gb2017) return steelOf2017;
  return steelOf2003;
}

std::span<const BoltGradeRow> boltGrades(CodeEdition edition) {
  if (edition == CodeEdition::Gb2017) return boltsOf2017;
  return boltsOf2003;
}

// The band a thickness falls in: the first whose upper limit holds it; none above the last.
std::optional<std::size_t> bandIndex(const SteelGrade& grade, double t) {
  for (std::size_t i = 0; i < grade.bands.size(); ++i)
    if (t <= grade.bands[i].upTo) return i;
  return std::nullopt;
}

// Thicker than its last band, a part still takes that band's strength (open-ended).
std::size_t openBandIndex(const SteelGrade& grade, double t) {
  return bandIndex(grade, t).value_or(grade.bands.size() - 1);
}

constexpr double thinPlateLimit = 16;     // the band that base-plate groups leave out
constexpr double stiffenerTableEnd = 40;  // stiffener strengths are tabled up to this thickness

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

// Wide-flange sections for shear keys, lightest first.
constexpr HSection shearKeyRows[] = {
    {"HW100×100×6×8", 100, 100, 6, 8},        {"HW125×125×6.5×9", 125, 125, 6.5, 9},
    {"HW150×150×7×10", 150, 150, 7, 10},      {"HW175×175×7.5×11", 175, 175, 7.5, 11},
    {"HW200×200×8×12", 200, 200, 8, 12},      {"HW250×250×9×14", 250, 250, 9, 14},
    {"HW300×300×10×15", 300, 300, 10, 15},
};

constexpr int largestBoltDiameter = 100;

}  // namespace

std::optional<Concrete> concrete(std::string_view grade) {
  for (const auto& row : concreteRows)
    if (row.grade == grade) return row.values;
  return std::nullopt;
}

std::optional<CodeEdition> codeEdition(std::string_view listText) {
  if (listText == edition2003Text) return CodeEdition::Gb2003;
  if (listText == edition2017Text) return CodeEdition::Gb2017;
  return std::nullopt;
}

std::string_view editionText(CodeEdition edition) {
  return edition == CodeEdition::Gb2017 ? edition2017Text : edition2003Text;
}

std::string_view editionTitle(CodeEdition edition) {
  return edition == CodeEdition::Gb2017 ? "《钢结构设计标准》GB 50017-2017" : "《钢结构设计规范》GB 50017-2003";
}

std::span<const std::string_view> steelGradeNames(CodeEdition edition) {
  if (edition == CodeEdition::Gb2017) return steelNamesOf2017;
  return steelNamesOf2003;
}

std::span<const std::string_view> boltGradeNames(CodeEdition edition) {
  if (edition == CodeEdition::Gb2017) return boltNamesOf2017;
  return boltNamesOf2003;
}

std::optional<double> anchorBoltFta(CodeEdition edition, std::string_view grade) {
  for (const auto& row : boltGrades(edition))
    if (row.grade == grade) return row.fta;
  return std::nullopt;
}

const SteelGrade* steelGrade(CodeEdition edition, std::string_view name) {
  for (const auto& grade : steelGrades(edition))
    if (grade.name == name) return &grade;
  return nullptr;
}

int plateThicknessGroupCount(const SteelGrade& grade) {
  int count = 0;
  for (const auto& band : grade.bands)
    if (band.upTo > thinPlateLimit) ++count;
  return count;
}

int plateThicknessGroup(const SteelGrade& grade, double t) {
  int group = 0;
  for (const auto& band : grade.bands) {
    if (band.upTo <= thinPlateLimit) continue;
    ++group;
    if (t <= band.upTo) return group;
  }
  return group;  // thicker than the last band: the last group is open-ended
}

double plateStrengthOfGroup(const SteelGrade& grade, int group) {
  int seen = 0;
  for (const auto& band : grade.bands) {
    if (band.upTo <= thinPlateLimit) continue;
    if (++seen == group) return band.f;
  }
  return grade.bands.back().f;
}

double rolledStrength(const SteelGrade& grade, double t, double previousF) {
  const auto band = bandIndex(grade, t);
  return band ? grade.bands[*band].f : previousF;
}

double stiffenerStrength(const SteelGrade& grade, double t, double previousF) {
  if (t > stiffenerTableEnd) return previousF;
  return rolledStrength(grade, t, previousF);
}

double givenStiffenerStrength(const SteelGrade& grade, double t) {
  return stiffenerStrength(grade, t, rolledStrength(grade, stiffenerTableEnd, 0));
}

BendingShearStrength bendingShearStrength(const SteelGrade& grade, double t) {
  const StrengthBand& band = grade.bands[openBandIndex(grade, t)];
  return BendingShearStrength{band.f, band.fv, grade.fy};
}

double alf(double r) { return piecewise(alfSegments, r, 0.027, 0.133); }

double beta(double r) { return piecewise(betaSegments, r, 0.048, 0.125); }

std::optional<AnchorBolt> anchorBolt(int dms) {
  for (const auto& row : boltRows)
    if (row.dms == dms) return row;
  return std::nullopt;
}

constexpr std::array<WasherPlate, 23> washerRows{{
    {20, 60, 10, 22},   {22, 70, 12, 24},   {24, 80, 12, 26},   {27, 90, 14, 29},   {30, 90, 16, 32},
    {33, 100, 18, 35},  {36, 110, 18, 38},  {39, 120, 20, 41},  {42, 130, 22, 44},  {45, 140, 24, 47},
    {48, 150, 24, 50},  {52, 160, 26, 54},  {56, 170, 28, 58},  {60, 180, 30, 62},  {64, 200, 32, 66},
    {68, 210, 34, 70},  {72, 220, 36, 74},  {76, 230, 38, 78},  {80, 240, 40, 82},  {85, 260, 44, 87},
    {90, 270, 46, 92},  {95, 290, 48, 97},  {100, 300, 50, 102},
}};

std::optional<WasherPlate> washerPlate(int dms) {
  for (const auto& row : washerRows)
    if (row.dms == dms) return row;
  return std::nullopt;
}

std::span<const HSection> shearKeySections() { return shearKeyRows; }

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

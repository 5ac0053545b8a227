#pragma once
// Checking a given base. A design grows its parts until every check holds; a check of a given
// base takes the sizes as they are (a base drawn by others, a design rounded to stock plates) and
// evaluates each formula of the calculation once on them, changing none. The sizes are named as
// the held values are (design/SYMBOLS.md), so the sizes a design produced can be given back
// unchanged: their checks are then the design's own.
//
// Sizes the design meets by the way it grows them (the thinnest plate, the weld legs, the bolt
// distances) can be broken by given ones: those rules become checks of their own. A step that
// would stop a design (a weld with no length left) makes its check fail with the reason.

#include <array>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "design/common/design_check.h"
#include "design/common/tables.h"

namespace pedivo {

// One size of a base type: its held value and its caption.
template <class Held>
struct SizeField {
  const char* name;
  double Held::*member;
  const char* caption;  // "底板厚度t"
};

// Tables of sizes joined in their order into one of `Held`, which may derive from the tables' own
// held type: a type whose sizes are partly those of others.
template <class Held, class... Tables>
constexpr auto joinSizes(const Tables&... tables) {
  std::array<SizeField<Held>, (std::extent_v<Tables> + ...)> all{};
  std::size_t i = 0;
  const auto take = [&](const auto& table) {
    for (const auto& size : table) all[i++] = {size.name, size.member, size.caption};
  };
  (take(tables), ...);
  return all;
}

// `fields`: a table of SizeField<Held>, an array or a std::array.
template <class Held, class Fields>
std::vector<NamedSize> namedSizes(const Fields& fields, const Held& held, std::size_t more = 0) {
  std::vector<NamedSize> named;
  named.reserve(std::size(fields) + more);
  for (const auto& field : fields) named.emplace_back(field.name, held.*(field.member));
  return named;
}



// The sizes into the held values; every one must be there (see sizesFault).
template <class Held, class Fields>
void takeSizes(const Fields& fields, const Sizes& sizes, Held& held) {
  for (const auto& field : fields) held.*(field.member) = sizes.find(std::string_view(field.name))->second;
}

template <class Fields>
std::vector<SizeName> sizeNames(const Fields& fields) {
  std::vector<SizeName> names;
  for (const auto& field : fields) names.push_back({field.name, field.caption});
  return names;
}

// Why the sizes cannot be checked: the first size missing, or one that is not a length greater
// than 0, named by its caption and name; none when all are there. Sizes of other names are ignored.
// The shear key's sizes are all left out, all 0 (no key) or all greater than 0.
std::optional<std::string> sizesFault(std::span<const SizeName> names, const Sizes& sizes);

// A check that could not be evaluated on the given sizes; it fails and says why.
struct UnevaluatedCheck {
  std::string id;      // the check's id
  std::string reason;  // "加劲肋竖向焊缝计算长度 hs − 2hf − 15 ≤ 0"
};

// What a check of given sizes adds to the checks of a design.
struct GivenSizeFindings {
  std::vector<DesignCheck> rules;  // the sizes a design meets by construction
  std::vector<UnevaluatedCheck> unevaluated;
};

// The checks of the given sizes: each unevaluated check fails with no number, and the rules
// follow the checks, moved out of the findings. Its reason becomes its remedy once the remedies
// are written.
void applyFindings(std::vector<DesignCheck>& checks, GivenSizeFindings& findings);
void explainUnevaluated(std::vector<DesignCheck>& checks, const GivenSizeFindings& findings);
// The values line of each unevaluated check, written after the others: its reason.
void writeUnevaluated(std::vector<DesignCheck>& checks, const GivenSizeFindings& findings);

// A size no less than its least value: "底板最小厚度 t ≥ 20". A rule writes its values line and its
// remedy ("加大该尺寸至不小于 20 mm") itself, when asked for (writeOwnValues, writeOwnRemedies).
DesignCheck atLeastRule(CheckText id, CheckText name, CheckText formula, double size, double least,
                        FieldNames fields);
// A size no more than its largest value: "焊脚尺寸 hf ≤ 16".
DesignCheck atMostRule(CheckText id, CheckText name, CheckText formula, double size, double largest,
                       FieldNames fields);

// Axial tension within the bolt rows under a given base: outside the method, what was found is kept.
Outcome givenAxialTension();

// The anchor bolt of a given diameter; one not in the bolt table stops the check, naming it.
tables::AnchorBolt givenBolt(double dms);

// The bolt distances of the plate layout against those of the bolt table: a, c (where the base
// has it), lt and bt (where it has them). `fields` are the result fields of a, c, lt, bt.
struct BoltDistances {
  double dms, a, c, lt, bt;
  bool hasC, hasLt;
  bool hasBt = true;
};
std::vector<DesignCheck> boltDistanceRules(const BoltDistances& given);

// The leg of a fillet weld on a part t thick: at least 1.5·√t and, where `floor` is given, at
// least that too, in even millimetres as a design gives it (up once the fraction passes 0.1 mm).
DesignCheck smallestLegRule(CheckText id, CheckText name, double hf, double t, double floor,
                            FieldNames fields);

// A stiffener of height hs carries its load on hs less what its ends lose; one no higher than
// that cannot be checked: the checks of `ids` say so. True when it has a height to check.
bool stiffenerHasHeight(double hs, double lost, std::initializer_list<const char*> ids, GivenSizeFindings& findings);

// The rules of an exposed rigid base: the thinnest plate, the smallest legs of the column and
// stiffener welds (hf11 of 0 for a base without that weld), the stiffener weld no larger than
// its stiffener or 16 mm, and the bolt distances.
struct ExposedBaseSizes {
  double tpb, hf11, hf3, tjjl;
  BoltDistances bolts;
};
std::vector<DesignCheck> exposedBaseRules(const ExposedBaseSizes& given);

// Stock plate thicknesses, thinnest first.
std::vector<double> defaultStockThicknesses();
// The stock series as written: "6, 8, 10, … 60" and steps of 10 mm beyond; parse gives none for a
// text that is not a list of increasing positive numbers.
std::string stockSeriesText(std::span<const double> series);
std::optional<std::vector<double>> parseStockSeries(std::string_view text);
// The thinnest stock plate at least t thick: past the series, the next multiple of 10 mm.
double stockThickness(double t, std::span<const double> series);
// Every thickness among `thicknessNames` rounded up to stock; the other sizes as they are.
Sizes roundedToStock(const Sizes& sizes, std::span<const std::string_view> thicknessNames,
                     std::span<const double> series);

}  // namespace pedivo

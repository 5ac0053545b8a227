#pragma once
// Load combinations of the structural analysis at the column foot: a name with N, V and M in kN
// and kN·m, compression positive. A base is designed for every combination together.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace pedivo {

struct LoadCombination {
  std::string name;  // "1.0D+1.5W", at most 32 characters
  double N = 0;      // kN, compression positive
  double V = 0;      // kN
  double M = 0;      // kN·m; 0 for a pinned base, which takes none
};

inline constexpr std::size_t mostCombinations = 200;
inline constexpr std::size_t longestCombinationName = 32;  // characters, not bytes

// Why these combinations cannot be designed: none or more than 200, a name empty, repeated or
// longer than 32 characters, a force that is not a finite number. Named by the row ("第 3 组").
std::optional<std::string> combinationsFault(std::span<const LoadCombination> loads);

// One combination's check: the combination and the ratio of the check under it.
struct GoverningCombination {
  std::size_t index;  // into the design's combinations
  std::string name;
};

// A combination in the report's table: its forces, its largest ratio and the checks it governs.
struct CombinationSummary {
  LoadCombination load;
  double ratio = 0;                  // the largest ratio of any check under it; NaN where none governs
  std::string ratioCheck;            // the id of the check with that ratio
  std::vector<std::string> governs;  // ids of the checks whose largest ratio is under this combination
};

}  // namespace pedivo

#include "design/common/load_combination.h"

#include <cmath>
#include <set>

#include "design/common/utf8_text.h"

namespace pedivo {

std::optional<std::string> combinationsFault(std::span<const LoadCombination> loads) {
  if (loads.empty()) return "至少需要一组荷载组合";
  if (loads.size() > mostCombinations)
    return "荷载组合最多 " + std::to_string(mostCombinations) + " 组，现有 " + std::to_string(loads.size()) + " 组";
  std::set<std::string, std::less<>> names;
  for (std::size_t i = 0; i < loads.size(); ++i) {
    const LoadCombination& load = loads[i];
    const std::string row = "第 " + std::to_string(i + 1) + " 组荷载组合";
    if (load.name.empty()) return row + "没有名称";
    if (characterCount(load.name) > longestCombinationName)
      return row + "的名称超过 " + std::to_string(longestCombinationName) + " 个字符";
    if (!names.insert(load.name).second) return row + "的名称“" + load.name + "”与前面的组合重复";
    if (!std::isfinite(load.N) || !std::isfinite(load.V) || !std::isfinite(load.M)) return row + "的内力不是有效数值";
  }
  return std::nullopt;
}

}  // namespace pedivo

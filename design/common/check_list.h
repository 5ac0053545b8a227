#pragma once
// Lists of checks built by moving each check in. A braced list would copy every check, strings and
// all, and a base type lists its checks once for every combination it is checked under.

#include <cstddef>
#include <iterator>
#include <utility>
#include <vector>

#include "design/common/design_check.h"

namespace pedivo {

// Room kept when checks are appended to a list: for the checks appended after them and the rules
// of a check of given sizes, so that adding those does not move the list again.
inline constexpr std::size_t roomForMoreChecks = 40;

// A list of the given checks with room for those appended after them: room that is never used is
// never touched, while a list that grows moves every check in it.
template <class... Checks>
std::vector<DesignCheck> checkList(Checks&&... checks) {
  std::vector<DesignCheck> list;
  list.reserve(sizeof...(checks) + roomForMoreChecks);
  (list.push_back(std::forward<Checks>(checks)), ...);
  return list;
}

// Moves the checks of `more` to the end of `list`.
inline void appendChecks(std::vector<DesignCheck>& list, std::vector<DesignCheck>&& more) {
  if (list.capacity() < list.size() + more.size()) list.reserve(list.size() + more.size() + roomForMoreChecks);
  std::move(more.begin(), more.end(), std::back_inserter(list));
}

}  // namespace pedivo

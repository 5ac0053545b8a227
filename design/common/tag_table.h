#pragma once

// Report tags as data: each tag of a report that shows a held quantity is one row (tag, held value,
// format), and one emitter writes any base type's rows. Texts that are not a single held number
// (an entry's own text, a formula chosen by the branch that applied) stay beside the table.

#include <cstddef>
#include <span>

#include "design/common/module.h"
#include "design/common/value_format.h"

namespace pedivo {

template <class Held>
struct HeldTag {
  const char* tag;  // as written in the template, "<#tpb>"
  double Held::*member;
  ValueFormat format;
};

template <class Held>
void emitTags(std::span<const HeldTag<Held>> table, const Held& held, const TagEmitter& sink) {
  for (const auto& row : table) sink(row.tag, formatValue(row.format, held.*(row.member)));
}

template <class Held, std::size_t Count>
void emitTags(const HeldTag<Held> (&table)[Count], const Held& held, const TagEmitter& sink) {
  emitTags(std::span<const HeldTag<Held>>(table), held, sink);
}

}  // namespace pedivo

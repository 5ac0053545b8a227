#include "design/common/plate_layout.h"

#include "design/common/calculation.h"
#include "design/common/tables.h"

namespace pedivo {

PlateLayout plateLayout(const Entries& entries, int dms) {
  const auto bolt = require(tables::anchorBolt(dms));
  return plateLayout(readTypedPlateSizes(entries), bolt.dms);
}

TypedPlateSizes readTypedPlateSizes(const Entries& entries) {
  if (entries.cbsize) return std::nullopt;
  return std::array<double, 4>{readNumber(entries, "Edtsizea"), readNumber(entries, "Edtsizec"),
                               readNumber(entries, "Edtsizelt"), readNumber(entries, "Edtsizebt")};
}

PlateLayout plateLayout(const TypedPlateSizes& typed, int dms) {
  const auto bolt = require(tables::anchorBolt(dms));
  if (!typed) {
    const double edge = tables::boltEdgeDistance(bolt.dms);
    return {bolt.Aems, bolt.a, bolt.c, edge, edge};
  }
  const auto& [a, c, lt, bt] = *typed;
  return {bolt.Aems, a, c, lt, bt};
}

}  // namespace pedivo

#include "design/common/plate_layout.h"

#include "design/common/calculation.h"
#include "design/common/tables.h"

namespace pedivo {

PlateLayout plateLayout(const Entries& entries, int dms) {
  const auto bolt = require(tables::anchorBolt(dms));
  if (entries.cbsize) {
    const double edge = tables::boltEdgeDistance(bolt.dms);
    return {bolt.Aems, bolt.a, bolt.c, edge, edge};
  }
  return {bolt.Aems, readNumber(entries, "Edtsizea"), readNumber(entries, "Edtsizec"),
          readNumber(entries, "Edtsizelt"), readNumber(entries, "Edtsizebt")};
}

}  // namespace pedivo

#include "design/rigid/column_weld_step.h"

#include "design/common/column_section.h"
#include "design/common/tables.h"
#include "design/common/rigid_geometry.h"
#include "design/rigid/rigid_plate.h"

namespace pedivo::rigid {
namespace {

ColumnWeldInputs columnWeldInputs(const Materials& m, const RigidPlateHeld& h) {
  const double flangeStrength = tables::rolledStrength(*m.steel, h.tf, h.fpbt);
  return {.section = sectionOf(h), .N = h.N, .M = h.M, .V = h.V, .ffw = m.steel->ffw, .f = flangeStrength};
}

bool webWeldTooLarge(const rigidbase::RigidGeometry& geometry, double hf11, double tw) {
  return geometry.checksWebWeldLeg && hf11 > tables::largestLegFactor * tw;
}

}  // namespace

ColumnWeldStep designedColumnWelds(const rigidbase::RigidGeometry& geometry, const Materials& m, const RigidPlateHeld& h,
                                   RoundLimit& rounds) {
  const ColumnWeldInputs in = columnWeldInputs(m, h);
  const ColumnWelds welds = columnToPlateWelds(in, h.tpb, rounds);
  return {in, welds, webWeldTooLarge(geometry, welds.hf11, h.tw)};
}

ColumnWeldStep givenColumnWeldStep(const rigidbase::RigidGeometry& geometry, const Materials& m, const RigidPlateHeld& h,
                                   GivenSizeFindings& findings) {
  const ColumnWeldInputs in = columnWeldInputs(m, h);
  return {in, givenColumnWelds(in, h.hf11, findings), webWeldTooLarge(geometry, h.hf11, h.tw)};
}

void holdColumnWelds(RigidPlateHeld& h, const ColumnWeldStep& step) {
  h.ffw = step.in.ffw;
  h.f = step.in.f;
  if (const auto& w = step.welds) {
    h.hf11 = w->hf11, h.AF = w->AF, h.Aeww = w->Aeww, h.ylnc = w->ylnc, h.Wc = w->Wc;
    h.ylmc = w->ylmc, h.ylv = w->ylv, h.ylfs = w->ylfs, h.ylf = w->ylf;
  }
  h.webWeldWarning = step.webWeldWarning;
}

}  // namespace pedivo::rigid

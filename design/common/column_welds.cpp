#include "design/common/column_welds.h"

#include <algorithm>
#include <cmath>

#include "design/common/numbers.h"
#include "design/common/tables.h"

namespace pedivo {

double webWeldLength(const ColumnSection& s, double hf) { return s.hb - 2 * s.tf - 2 * hf; }

ColumnWelds columnWeldsAt(const ColumnWeldInputs& in, double hf) {
  const ColumnSection& s = in.section;
  ColumnWelds w{};
  w.hf11 = hf;
  w.AF = s.tf * s.bf;
  const double length = webWeldLength(s, w.hf11);
  requireWeldLength(length);
  w.Aeww = 2 * tables::filletThroat * w.hf11 * length;
  w.ylnc = in.N / (2 * w.AF + w.Aeww);
  const double flangeArm = s.hb / 2 - s.tf / 2;
  w.Wc = (s.tf * s.tf * s.tf * s.bf / 6 + 2 * s.bf * s.tf * flangeArm * flangeArm) / s.hb;
  w.ylmc = (in.M / 2) / w.Wc;
  w.ylv = in.V / w.Aeww;
  w.ylfs = std::sqrt(square(w.ylnc / tables::betaF) + square(w.ylv));
  w.ylf = w.ylnc + w.ylmc;
  return w;
}

std::optional<ColumnWelds> givenColumnWelds(const ColumnWeldInputs& in, double hf, GivenSizeFindings& findings) {
  if (webWeldLength(in.section, hf) > 0) return columnWeldsAt(in, hf);
  for (const char* id : {"flange", "weld"}) findings.unevaluated.push_back({id, "腹板焊缝计算长度 hb − 2tf − 2hf ≤ 0"});
  return std::nullopt;
}

ColumnWelds columnToPlateWelds(const ColumnWeldInputs& in, double tpb, RoundLimit& rounds) {
  double hf = roundUpToEven(std::max(tables::smallestPlateWeldLeg, tables::smallestFilletLeg(tpb)));
  while (true) {
    const ColumnWelds w = columnWeldsAt(in, hf);
    if (w.ylf > in.f || w.ylfs <= in.ffw) return w;
    rounds.next();
    hf += tables::legStep;
  }
}

}  // namespace pedivo

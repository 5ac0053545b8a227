#include "design/common/column_welds.h"

#include <algorithm>
#include <cmath>

#include "design/common/numbers.h"
#include "design/common/tables.h"

namespace pedivo {

ColumnWelds columnToPlateWelds(const ColumnWeldInputs& in, double tpb, RoundLimit& rounds) {
  const ColumnSection& s = in.section;
  ColumnWelds w{};
  w.hf11 = roundUpToEven(std::max(6.0, tables::smallestFilletLeg(tpb)));
  while (true) {
    w.AF = s.tf * s.bf;
    const double webWeldLength = s.hb - 2 * s.tf - 2 * w.hf11;
    requireWeldLength(webWeldLength);
    w.Aeww = 2 * tables::filletThroat * w.hf11 * webWeldLength;
    w.ylnc = in.N / (2 * w.AF + w.Aeww);
    const double flangeArm = s.hb / 2 - s.tf / 2;
    w.Wc = (s.tf * s.tf * s.tf * s.bf / 6 + 2 * s.bf * s.tf * flangeArm * flangeArm) / s.hb;
    w.ylmc = (in.M / 2) / w.Wc;
    w.ylv = in.V / w.Aeww;
    w.ylfs = std::sqrt(square(w.ylnc / tables::betaF) + square(w.ylv));
    w.ylf = w.ylnc + w.ylmc;
    if (w.ylf > in.f || w.ylfs <= in.ffw) return w;
    rounds.next();
    w.hf11 += 2;
  }
}

}  // namespace pedivo

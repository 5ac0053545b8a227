#include "design/common/stiffener_welds.h"

#include <cmath>

#include "design/common/numbers.h"
#include "design/common/tables.h"

namespace pedivo {

double upstandWeldLength(const StiffenerWeldInputs& in, double hf) { return in.height - 2 * hf - in.upstandEnds; }

double plateWeldLength(const StiffenerWeldInputs& in, double hf) { return in.outstand - 2 * hf - tables::stiffenerCornerCut; }

std::optional<StiffenerWelds> givenStiffenerWelds(const StiffenerWeldInputs& in, double hf, const char* plateCheck,
                                                  const char* upstandCheck, GivenSizeFindings& findings) {
  if (upstandWeldLength(in, hf) > 0 && plateWeldLength(in, hf) > 0) return stiffenerWeldStresses(in, hf);
  const std::string reason = !(upstandWeldLength(in, hf) > 0)
                                 ? "竖向焊缝计算长度 hs − 2hf − " + formatGeneral(in.upstandEnds) + " ≤ 0"
                                 : "水平焊缝计算长度 外伸长度 − 2hf − 15 ≤ 0";
  findings.unevaluated.push_back({plateCheck, reason});
  findings.unevaluated.push_back({upstandCheck, reason});
  return std::nullopt;
}

UpstandWeld upstandWeld(const StiffenerWeldInputs& in, double hf) {
  const double length = upstandWeldLength(in, hf);
  const double Wf = square(length) * tables::filletThroat * hf / 3;
  return {length, Wf, in.load / (2 * tables::filletThroat * hf * length), (in.outstand * in.load / 2) / Wf};
}

StiffenerWelds stiffenerWeldStresses(const StiffenerWeldInputs& in, double hf) {
  const double plateLength = plateWeldLength(in, hf);
  requireWeldLength(upstandWeldLength(in, hf));
  requireWeldLength(plateLength);
  const UpstandWeld upstand = upstandWeld(in, hf);
  StiffenerWelds welds{StiffenerWeldEnd::Designed, hf, 0, upstand.Wf, 0, upstand};
  welds.ylnf = in.load / (2 * tables::filletThroat * hf * plateLength);
  // σf/βf taken as the moment over βf, then over Wf.
  welds.ylvf = std::sqrt(square(upstand.tau) + square((in.outstand * in.load / 2) / tables::betaF / welds.Wf));
  return welds;
}

StiffenerWelds stiffenerWelds(const StiffenerWeldInputs& in, double hf, RoundLimit& rounds) {
  while (true) {
    StiffenerWelds welds = stiffenerWeldStresses(in, hf);
    const auto ending = [&welds](StiffenerWeldEnd end) {
      welds.end = end;
      return welds;
    };
    if (welds.ylvf > in.ffw) {
      if (!in.upstandGrowsLeg) return ending(StiffenerWeldEnd::UpstandOverstressed);
      if (!(hf < in.thickness && hf < in.largestLeg)) return ending(StiffenerWeldEnd::Taller);
      hf += tables::legStep;
    } else if (welds.ylnf > tables::betaF * in.ffw) {
      if (hf + tables::legStep > in.thickness) return ending(StiffenerWeldEnd::Thicker);
      hf += tables::legStep;
    } else {
      return welds;
    }
    rounds.next();
  }
}

}  // namespace pedivo

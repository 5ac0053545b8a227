#include "design/common/stiffener_welds.h"

#include <cmath>

#include "design/common/numbers.h"
#include "design/common/tables.h"

namespace pedivo {

StiffenerWelds stiffenerWelds(const StiffenerWeldInputs& in, double hf, RoundLimit& rounds) {
  while (true) {
    const double upstandLength = in.height - 2 * hf - in.upstandEnds;
    const double plateLength = in.outstand - 2 * hf - 15;
    requireWeldLength(upstandLength);
    requireWeldLength(plateLength);
    StiffenerWelds welds{StiffenerWeldEnd::Designed, hf, 0, 0, 0};
    const auto ending = [&welds](StiffenerWeldEnd end) {
      welds.end = end;
      return welds;
    };
    welds.ylnf = in.load / (2 * tables::filletThroat * hf * plateLength);
    welds.Wf = square(upstandLength) * tables::filletThroat * hf / 3;
    // The load at half the outstand bends the upstand welds and shears them.
    welds.ylvf = std::sqrt(square(in.load / (2 * tables::filletThroat * hf * upstandLength)) +
                           square((in.outstand * in.load / 2) / tables::betaF / welds.Wf));
    if (welds.ylvf > in.ffw) {
      if (!in.upstandGrowsLeg) return ending(StiffenerWeldEnd::UpstandOverstressed);
      if (!(hf < in.thickness && hf < in.largestLeg)) return ending(StiffenerWeldEnd::Taller);
      hf += 2;
    } else if (welds.ylnf > tables::betaF * in.ffw) {
      if (hf + 2 > in.thickness) return ending(StiffenerWeldEnd::Thicker);
      hf += 2;
    } else {
      return welds;
    }
    rounds.next();
  }
}

}  // namespace pedivo

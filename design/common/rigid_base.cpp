#include "design/common/rigid_base.h"

#include <cmath>

#include "design/common/tables.h"

namespace pedivo::rigidbase {

double readAxialForce(const Entries& entries) {
  const double N = readNumber(entries, "EdtN") * 1000;
  if (N == 0) throw CalculationStop{zeroAxialForceMessage, "EdtN"};
  return N;
}

Eccentricity eccentricityCase(double e, double L, double write3) {
  if (e > 0 && e <= L / 6) return Eccentricity::WithinKern;
  if (e > 0 && e <= write3) return Eccentricity::WithinBoltRow;
  if (std::fabs(e) <= write3) return Eccentricity::TensionInside;
  return Eccentricity::BeyondBoltRow;
}

std::string judgeText(Eccentricity eccentricity) {
  switch (eccentricity) {
    case Eccentricity::WithinKern: return "0<e<=L/6";
    case Eccentricity::WithinBoltRow: return "L/6<e<=(L/6+lt/3)";
    case Eccentricity::TensionInside: return "";
    case Eccentricity::BeyondBoltRow: return "abs(e)>(L/6+lt/3)  底板计算应对压区和拉区分别计算";
  }
  return "";
}

CompressedZone bisectCompressedZone(const CompressedZoneInput& in, RoundLimit& rounds) {
  constexpr int maximumHalvings = 2000;
  CompressedZone zone{in.L, 0.5 * in.L, 0};
  for (int halvings = 0;; ++halvings) {
    const double xn = zone.xn;
    zone.Fx = xn * xn * xn + 3 * (in.e - in.L / 2) * xn * xn -
              6 * (in.Es / in.Ec) * (in.n / 2) * (in.Aems / in.B) * (in.e + in.L / 2 - in.lt) * (in.L - in.lt - xn);
    if (std::fabs(zone.Fx) < in.tolerance) break;
    if (halvings == maximumHalvings) break;
    const double candidate = zone.Fx > 0 ? xn - zone.dx : xn + zone.dx;
    if (candidate == xn) break;
    rounds.next();
    zone.xn = candidate;
    zone.dx = zone.dx / 2;
  }
  return zone;
}

int nextBoltOrStop(int dms) {
  const auto next = tables::nextBoltDiameter(dms);
  if (!next) throw CalculationStop{boltTooLargeMessage, std::nullopt};
  return *next;
}

}  // namespace pedivo::rigidbase

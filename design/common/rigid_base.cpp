#include "design/common/rigid_base.h"

#include <cmath>

#include "design/common/column_section.h"
#include "design/common/tables.h"

namespace pedivo::rigidbase {

double readAxialForce(const Entries& entries) {
  const double N = readAxialForceAsTyped(entries);
  if (N == 0) throw CalculationStop{Stop::ZeroAxialForce, "EdtN"};
  return N;
}

Eccentricity eccentricityCase(double N, double e, double L, double write3) {
  // No moment under compression: the kern case at its limit e = 0, told as such.
  if (N > 0 && e == 0) return Eccentricity::Concentric;
  if (e > 0 && e <= L / 6) return Eccentricity::WithinKern;
  if (e > 0 && e <= write3) return Eccentricity::WithinBoltRow;
  if (std::fabs(e) <= write3) return Eccentricity::TensionInside;
  return Eccentricity::BeyondBoltRow;
}

std::string judgeText(Eccentricity eccentricity) {
  switch (eccentricity) {
    case Eccentricity::Concentric: return "e = 0（无弯矩，轴心受压，底板全面积均匀受压）";
    case Eccentricity::WithinKern: return "0 < e ≤ L/6";
    case Eccentricity::WithinBoltRow: return "L/6 < e ≤ L/6 + lt/3";
    case Eccentricity::TensionInside: return "e ≤ 0，|e| ≤ L/6 + lt/3：轴向拉力作用在锚栓之间，超出程序计算范围";
    case Eccentricity::BeyondBoltRow: return "|e| > L/6 + lt/3，底板计算应对压区和拉区分别计算";
    case Eccentricity::NotFound: return "";
  }
  return "";
}

LinearPressure linearPressure(double N, double M, double B, double L, double lt) {
  LinearPressure p{};
  p.ylmax = N / (B * L) + 6 * M / (B * L * L);
  p.ylmin = N / (B * L) - 6 * M / (B * L * L);
  p.xn = L * p.ylmax / (p.ylmax - p.ylmin);
  p.ta = (M - N * (L / 2 - p.xn / 3)) / (L - lt - p.xn / 3);
  return p;
}

PlatePressure pressureUnderPlate(const PressurePolicy& policy, const PressureInput& in, RoundLimit& rounds) {
  PlatePressure p{eccentricityCase(in.N, in.e, in.L, in.write3), CompressedZoneMethod::Linear, 0, 0, 0, std::nullopt,
                  std::nullopt};
  const bool overArea = policy.order == OperandOrder::OverPlateArea;
  const double N = in.N, e = in.e, L = in.L, B = in.B, lt = in.lt;
  switch (p.eccentricity) {
    case Eccentricity::Concentric:  // the kern formula at e = 0: N/(L·B)
    case Eccentricity::WithinKern:
      p.ylc = overArea ? N * (1 + 6 * e / L) / (L * B) : (6 * e / L + 1) * N / L / B;
      p.xn = L;
      return p;
    case Eccentricity::WithinBoltRow:
      p.ylc = overArea ? 2 * N / (3 * (L / 2 - e) * B) : 2 * N / (L / 2 - e) / 3 / B;
      p.xn = policy.zoneToBoltRow ? L - lt : 3 * (L / 2 - e);
      return p;
    case Eccentricity::TensionInside:
    case Eccentricity::NotFound: return p;
    case Eccentricity::BeyondBoltRow: break;
  }
  // Linear pressure first; for large bolts the zone from equilibrium with the bolt row.
  p.linear = linearPressure(N, in.M, B, L, lt);
  p.ylc = p.linear->ylmax;
  p.xn = p.linear->xn;
  p.ta = p.linear->ta;
  if (!(in.dms >= equilibriumZoneFromBolt)) return p;
  p.zone = CompressedZoneMethod::Equilibrium;
  p.bisection =
      bisectCompressedZone({e, L, lt, B, tables::Es, in.Ec, in.n, in.Aems, policy.zoneTolerance}, rounds, in.zones);
  const double xn = p.xn = p.bisection->xn;
  p.ta = (e - L / 2 + xn / 3) * N / (L - lt - xn / 3);
  p.ylc = overArea ? 2 * N * (e + L / 2 - lt) / (B * xn * (L - lt - xn / 3))
                   : 2 * N * (L / 2 + e - lt) / B / xn / (L - lt - xn / 3);
  return p;
}

double boltPanelThickness(double a, double c, double la, double lc, double Nta, double f) {
  const double d = c * c * c * la + a * a * a * lc;
  // The longer arm takes the cube in the numerator.
  return longerArm(a, c) == LongerArm::C ? std::sqrt(6 * Nta * a * c * c * c / d / f)
                                         : std::sqrt(6 * Nta * c * a * a * a / d / f);
}

BoltCheck tensionBolts(double fta, double ta, double n, double Aems) { return {fta, boltStress(ta, n, Aems)}; }

int nextBoltOrStop(int dms) {
  const auto next = tables::nextBoltDiameter(dms);
  if (!next) throw CalculationStop{Stop::BoltTooLarge};
  return *next;
}

}  // namespace pedivo::rigidbase

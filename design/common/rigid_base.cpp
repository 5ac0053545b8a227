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

CompressedZone bisectCompressedZone(const CompressedZoneInput& in, RoundLimit& rounds) {
  constexpr int maximumHalvings = 2000;
  // The factors that do not depend on xn, each multiplied in the order the equation is written,
  // so every round gives the same digits as the whole expression would.
  const double squareFactor = 3 * (in.e - in.L / 2);
  const double boltFactor = 6 * (in.Es / in.Ec) * (in.n / 2) * (in.Aems / in.B) * (in.e + in.L / 2 - in.lt);
  const double boltArm = in.L - in.lt;
  const double tolerance = in.tolerance;
  const auto residual = [&](double x) { return x * x * x + squareFactor * x * x - boltFactor * (boltArm - x); };

  // Halvings go in threes. The first of three goes to the point a step either way that the sign
  // of the residual at xn picks; the residual there is worked out together with those at the two
  // points the second halving may reach and the four the third may reach, before any of their
  // signs is looked at, so the processor overlaps them and waits for one residual in three
  // halvings. Seven residuals for three halvings, none worked out twice. The choices are indices,
  // not jumps: their directions are as good as random. The points, the residuals and the order
  // of the tests are those of halving one step at a time. A bisection that cannot reach the
  // round limit counts its rounds once, at its end.
  double xn = in.L;
  double dx = 0.5 * in.L;
  double Fx = residual(xn);
  int halvings = 0;
  const bool roundsToSpare = rounds.allows(maximumHalvings);
  const auto halve = [&](double candidate, double residualThere) {
    if (!roundsToSpare) rounds.next();
    xn = candidate;
    dx = dx / 2;
    Fx = residualThere;
    ++halvings;
  };
  const auto ends = [&] { return std::fabs(Fx) < tolerance || halvings == maximumHalvings; };
  const auto side = [&] { return Fx > 0 ? 0 : 1; };  // down while the residual is positive
  while (!ends()) {
    const double points[2] = {xn - dx, xn + dx};
    const double first = points[side()];
    if (first == xn) break;
    const double step2 = dx / 2, step3 = step2 / 2;
    const double second[2] = {first - step2, first + step2};
    const double third[2][2] = {{second[0] - step3, second[0] + step3}, {second[1] - step3, second[1] + step3}};
    const double firstResidual = residual(first);
    const double secondResiduals[2] = {residual(second[0]), residual(second[1])};
    const double thirdResiduals[2][2] = {{residual(third[0][0]), residual(third[0][1])},
                                         {residual(third[1][0]), residual(third[1][1])}};
    halve(first, firstResidual);
    if (ends()) break;
    const int up = side();
    if (second[up] == xn) break;
    halve(second[up], secondResiduals[up]);
    if (ends()) break;
    const int up3 = side();
    if (third[up][up3] == xn) break;
    halve(third[up][up3], thirdResiduals[up][up3]);
  }
  if (roundsToSpare) rounds.advance(halvings);
  return CompressedZone{xn, dx, Fx};
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
  p.bisection = bisectCompressedZone({e, L, lt, B, tables::Es, in.Ec, in.n, in.Aems, policy.zoneTolerance}, rounds);
  const double xn = p.xn = p.bisection->xn;
  p.ta = (e - L / 2 + xn / 3) * N / (L - lt - xn / 3);
  p.ylc = overArea ? 2 * N * (e + L / 2 - lt) / (B * xn * (L - lt - xn / 3))
                   : 2 * N * (L / 2 + e - lt) / B / xn / (L - lt - xn / 3);
  return p;
}

double boltPanelThickness(double a, double c, double la, double lc, double Nta, double f) {
  const double d = c * c * c * la + a * a * a * lc;
  // The longer arm takes the cube in the numerator.
  return c > a ? std::sqrt(6 * Nta * a * c * c * c / d / f) : std::sqrt(6 * Nta * c * a * a * a / d / f);
}

BoltCheck tensionBolts(double fta, double ta, double n, double Aems) { return {fta, boltStress(ta, n, Aems)}; }

int nextBoltOrStop(int dms) {
  const auto next = tables::nextBoltDiameter(dms);
  if (!next) throw CalculationStop{Stop::BoltTooLarge};
  return *next;
}

}  // namespace pedivo::rigidbase

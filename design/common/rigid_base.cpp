#include "design/common/rigid_base.h"

#include <cmath>

#include "design/common/column_section.h"
#include "design/common/tables.h"

namespace pedivo::rigidbase {

double readAxialForce(const Entries& entries) {
  const double N = readAxialForceAsTyped(entries);
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
    case Eccentricity::WithinKern: return "0 < e ≤ L/6";
    case Eccentricity::WithinBoltRow: return "L/6 < e ≤ L/6 + lt/3";
    case Eccentricity::TensionInside: return "e ≤ 0，|e| ≤ L/6 + lt/3：轴向拉力作用在锚栓之间，超出程序计算范围";
    case Eccentricity::BeyondBoltRow: return "|e| > L/6 + lt/3，底板计算应对压区和拉区分别计算";
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

  // Each halving needs the residual at the xn it reached, which is one of the two points a step
  // either way; the residuals two halvings ahead are worked out together, before either is
  // needed, so the processor overlaps them. The points, the residuals and the order of the tests
  // are those of halving one step at a time.
  double xn = in.L;
  double dx = 0.5 * in.L;
  double Fx = residual(xn);
  int halvings = 0;
  // One halving from (xn, dx, Fx) to the point below (1) or above (2); 0 where the bisection ends
  // instead. The choice is an index, not a jump: its direction is as good as random.
  const auto halve = [&](const double(&points)[2], const double(&residuals)[2]) -> int {
    if (std::fabs(Fx) < tolerance || halvings == maximumHalvings) return 0;
    const int up = Fx > 0 ? 0 : 1;
    const double candidate = points[up];
    if (candidate == xn) return 0;
    rounds.next();
    xn = candidate;
    dx = dx / 2;
    Fx = residuals[up];
    ++halvings;
    return up + 1;
  };
  while (true) {
    const double lower = xn - dx;
    const double upper = xn + dx;
    const double half = dx / 2;
    const double points[2][2] = {{lower - half, lower + half}, {upper - half, upper + half}};
    const double residuals[2][2] = {{residual(points[0][0]), residual(points[0][1])},
                                    {residual(points[1][0]), residual(points[1][1])}};
    const int first = halve({lower, upper}, {residual(lower), residual(upper)});
    if (!first || !halve(points[first - 1], residuals[first - 1])) break;
  }
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

BoltCheck tensionBolts(double fta, double ta, double n, double Aems) { return {fta, boltStress(ta, n, Aems)}; }

PlatePanel threeSidePanel(double b, double a, double q) {
  const double r = b / a;
  const double alf = tables::alf(r);
  return {b, a, r, alf, r < 0.3 ? 0.5 * q * b * b : alf * q * a * a};
}

PlatePanel fourSidePanel(double b, double a, double q) {
  const double r = b / a;
  const double beta = tables::beta(r);
  return {b, a, r, beta, beta * q * a * a};
}

int nextBoltOrStop(int dms) {
  const auto next = tables::nextBoltDiameter(dms);
  if (!next) throw CalculationStop{boltTooLargeMessage, std::nullopt};
  return *next;
}

}  // namespace pedivo::rigidbase

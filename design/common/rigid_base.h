#pragma once
// What the four rigid exposed bases (eight and ten bolts, T-shaped and channel boot beams) share:
// the axial force that must not be zero, the eccentricity cases, the compressed zone found from
// equilibrium, the anchor-bolt stress and the next bolt size, and the detailing run that designs
// once on the table's sizes and again on the sizes it found, as if the user had typed them.

#include <algorithm>
#include <optional>
#include <string>

#include "design/common/calculation.h"
#include "design/common/compressed_zone.h"
#include "design/common/rigid_branches.h"
#include "design/common/module.h"
#include "design/common/numbers.h"
#include "design/common/plate_layout.h"
#include "design/common/tables.h"

namespace pedivo::rigidbase {

inline constexpr const char* zeroAxialForceMessage = "柱底轴力不能为0";
inline constexpr const char* axialTensionMessage = "轴向拉力超过程序计算范围，计算停止!";
inline constexpr const char* boltTooLargeMessage = "锚栓直径超过100mm，超出程序计算范围，计算停止!";
inline constexpr const char* layoutFaultMessage = "柱脚布置有误";

// N in newtons from EdtN. Zero would make the eccentricity M/N undefined: refused with the focus
// on EdtN.
double readAxialForce(const Entries& entries);

// The case of the eccentricity e = M/N of the axial force N (compression positive).
Eccentricity eccentricityCase(double N, double e, double L, double write3);
// The report's text for the case ("e = 0…", "0 < e ≤ L/6", ...); none before the case is known.
std::string judgeText(Eccentricity eccentricity);

// The linear pressure under the plate for a large eccentricity, and the bolt tension that holds
// it down: the edge pressures, the compressed zone xn and the total tension ta.
struct LinearPressure {
  double ylmax, ylmin, xn, ta;
};
LinearPressure linearPressure(double N, double M, double B, double L, double lt);

// The bolt size from which the compressed zone beyond the bolt row is found from the equilibrium
// with the bolt row: a large bolt is stiff enough to change how much of the plate bears.
inline constexpr double equilibriumZoneFromBolt = 60;

// The two ways the bases were written: the pressure over the plate area in one division, or
// divided by each side in turn. Each base keeps its own order so that its results stay the same
// to the last bit.
enum class OperandOrder { OverPlateArea, SideBySide };

// What the pressure step needs of a base type besides the plate.
struct PressurePolicy {
  OperandOrder order;
  double zoneTolerance;    // the residual that ends the bisection of the compressed zone
  bool zoneToBoltRow;      // within the bolt row: the zone reaches the bolt row (L − lt), not 3·(L/2 − e)
};

struct PressureInput {
  double N, M, e, L, B, lt, write3;  // write3 = L/6 + lt/3
  double Ec, n, Aems, dms;
  ZoneMemo* zones = nullptr;  // the bisections made before, if kept
};

// The pressure under the plate and the bolt tension, with the case and the method that gave them.
// Nothing beyond the eccentricity case for axial tension within the bolt rows.
struct PlatePressure {
  Eccentricity eccentricity;
  CompressedZoneMethod zone = CompressedZoneMethod::Linear;
  double ylc = 0, xn = 0, ta = 0;
  std::optional<LinearPressure> linear;      // beyond the bolt row
  std::optional<CompressedZone> bisection;  // beyond the bolt row, with large bolts
};
PlatePressure pressureUnderPlate(const PressurePolicy& policy, const PressureInput& in, RoundLimit& rounds);

// Writes the pressure step into a base's held values; false for axial tension within the bolt
// rows, which the method does not cover. Values the case did not reach keep what they were.
template <class Held>
bool holdPressure(const PlatePressure& p, Held& h) {
  h.eccentricity = p.eccentricity;
  if (p.eccentricity == Eccentricity::TensionInside) return false;
  h.ta = p.ta;
  h.ylc = p.ylc;
  h.xn = p.xn;
  if (p.linear) {
    h.ylmax = p.linear->ylmax;
    h.ylmin = p.linear->ylmin;
    h.zone = p.zone;
  }
  if (p.bisection) {
    h.dx = p.bisection->dx;
    h.Fx = p.bisection->Fx;
  }
  return true;
}

// Stress in one tension bolt: the row's tension 2·Ta/n raised by 1.2 for the uneven share among
// the bolts of the row.
inline constexpr double unevenBoltShare = 1.2;
inline double boltStress(double ta, double n, double Aems) { return unevenBoltShare * ta * 2 / n / Aems; }

// The tension bolts' strength for the grade in CBfta and their stress write4.
struct BoltCheck {
  double fta, write4;
  bool holds() const { return !(write4 > fta); }
};
BoltCheck tensionBolts(double fta, double ta, double n, double Aems);

// The tension bolts of the held design: their strength and stress, and when they hold, the
// friction 0.4·(N + Ta) under the plate. False when they are overstressed.
template <class Held>
bool anchorBoltsHold(double fta, Held& h) {
  const BoltCheck bolts = tensionBolts(fta, h.ta, h.n, h.Aems);
  h.fta = bolts.fta;
  h.write4 = bolts.write4;
  if (!bolts.holds()) return false;
  h.Vfb = tables::frictionResistance(h.N + h.ta);
  return true;
}

// How far the plate round a tension bolt spreads along an arm: arm·(3.5 − 1.5·arm/(arm + beyond)).
inline double boltSpread(double arm, double beyond) { return arm * (3.5 - 1.5 * arm / (arm + beyond)); }

// Which arm takes the cube (`LongerArm`, rigid_branches.h): the longer, a when the two are equal.
inline LongerArm longerArm(double a, double c) { return c > a ? LongerArm::C : LongerArm::A; }

// The plate round a tension bolt held between two supports at a and c from it, with the widths it
// spreads over along each (la, lc): t = √(6·Nta·a·c³/(c³·la + a³·lc)/f), a and c swapped when
// c ≤ a.
double boltPanelThickness(double a, double c, double la, double lc, double Nta, double f);

// The plate round a tension bolt in the corner between the supports along the length and across
// the width, the bolt at a and c from them: the widths it spreads over along each (la1 along a, no
// wider than c + bt; lc1 along c, no wider than a + lt), the thickness it needs and the arm that
// took the cube.
struct CornerBoltZone {
  double la1, lc1, tpbt1;
  LongerArm longer;
};
inline CornerBoltZone cornerBoltZone(double a, double c, double lt, double bt, double Nta, double f) {
  const double la1 = std::min(boltSpread(a, lt), c + bt);
  const double lc1 = std::min(boltSpread(c, bt), a + lt);
  return {la1, lc1, boltPanelThickness(a, c, la1, lc1, Nta, f), longerArm(a, c)};
}

// The next bolt size up; past the largest bolt the calculation stops.
int nextBoltOrStop(int dms);

enum class PassEnd { Designed, AxialTension };


// What one trial of a design pass found.
enum class Trial {
  Designed,      // every step holds
  AxialTension,  // axial tension within the bolt rows: outside the method
  LargerBolt,    // the tension bolts are overstressed: the next bolt size
  Again,         // a part grew: again from the plate sizes
};

// Repeats trial() until it designs, or finds axial tension; each repetition is one round. A larger
// bolt is the next size up, or the stop past the largest.
template <class TrialFunction>
PassEnd untilDesigned(double& dms, RoundLimit& rounds, TrialFunction&& trial) {
  while (true) {
    switch (trial()) {
      case Trial::Designed: return PassEnd::Designed;
      case Trial::AxialTension: return PassEnd::AxialTension;
      case Trial::LargerBolt:
        rounds.next();
        dms = nextBoltOrStop(static_cast<int>(dms));
        break;
      case Trial::Again: rounds.next(); break;
    }
  }
}

// The detailing run. With cbsize ticked, the first pass designs on the table's sizes; its sizes
// are then written into the user's size boxes in the general number format, cbsize is cleared and
// a second pass designs on those texts, read back as typed entries; at its end cbsize is ticked
// again. runPass(entries) designs one pass and gives how it ended and the plate's layout;
// closing() tells how a designed base closes. An axial-tension stop keeps what was computed and
// written so far.
template <class RunPass, class ClosingOf>
Outcome detailingRun(const Entries& entries, bool& rerun, RunPass&& runPass, ClosingOf&& closing) {
  // The entries with the first pass's sizes written in: copied only for a second pass, since a
  // design of the user's own sizes (every candidate of 自动调整) needs none.
  std::optional<Entries> written;
  Outcome outcome;
  rerun = false;
  for (int pass = 0; pass < 2; ++pass) {
    const Entries& working = written ? *written : entries;
    const auto [end, layout] = runPass(working);
    if (end == PassEnd::AxialTension) {
      outcome.messages = {stopMessage(Stop::AxialTension)};
      outcome.stop = Stop::AxialTension;
      outcome.ending = Ending::Partial;
      return outcome;
    }
    if (!working.cbsize) break;
    written = entries;
    written->cbsize = false;
    const std::pair<const char*, double> sizes[] = {
        {"Edtsizea", layout.a}, {"Edtsizelt", layout.lt}, {"Edtsizebt", layout.bt}, {"Edtsizec", layout.c}};
    for (const auto& [control, value] : sizes) {
      written->texts[control] = formatGeneral(value);
      outcome.entryChanges[control] = written->texts[control];
    }
    outcome.cbsize = false;
    rerun = true;
  }
  if (rerun) outcome.cbsize = true;
  outcome.closing = closing();
  outcome.messages = {closingMessage(outcome.closing)};
  outcome.ending = Ending::Completed;
  return outcome;
}

}  // namespace pedivo::rigidbase

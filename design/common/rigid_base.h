#pragma once
// What the four rigid exposed bases (eight and ten bolts, T-shaped and channel boot beams) share:
// the axial force that must not be zero, the eccentricity cases, the compressed zone found from
// equilibrium, the anchor-bolt stress and the next bolt size, and the detailing run that designs
// once on the table's sizes and again on the sizes it found, as if the user had typed them.

#include <string>

#include "design/common/calculation.h"
#include "design/common/module.h"
#include "design/common/numbers.h"
#include "design/common/plate_layout.h"

namespace pedivo::rigidbase {

inline constexpr const char* zeroAxialForceMessage = "柱底轴力不能为0";
inline constexpr const char* axialTensionMessage = "轴向拉力超过程序计算范围，计算停止!";
inline constexpr const char* boltTooLargeMessage = "锚栓直径超过100mm，超出程序计算范围，计算停止!";
inline constexpr const char* layoutFaultMessage = "柱脚布置有误";

// N in newtons from EdtN. Zero would make the eccentricity M/N undefined: refused with the focus
// on EdtN.
double readAxialForce(const Entries& entries);

// Where the resultant of N and M falls on the plate.
enum class Eccentricity {
  WithinKern,       // 0 < e ≤ L/6: the whole plate in compression
  WithinBoltRow,    // L/6 < e ≤ L/6 + lt/3: part of the plate lifts, the bolts carry nothing
  TensionInside,    // axial tension with |e| ≤ L/6 + lt/3: beyond what the method covers
  BeyondBoltRow,    // |e| > L/6 + lt/3: the tension bolts hold the plate down
};
Eccentricity eccentricityCase(double e, double L, double write3);
// The report's text for the case ("0<e<=L/6", ...); none for axial tension.
std::string judgeText(Eccentricity eccentricity);

// The compressed zone xn from the equilibrium of the plate with the tension bolts, by bisection
// from xn = L with the step L/2. Stops when the residual falls below the tolerance, after 2000
// halvings, or when a step no longer changes xn; the xn reached is taken.
struct CompressedZoneInput {
  double e, L, lt, B, Es, Ec, n, Aems;
  double tolerance;
};
struct CompressedZone {
  double xn = 0;
  double dx = 0;  // the last step
  double Fx = 0;  // the last residual
};
CompressedZone bisectCompressedZone(const CompressedZoneInput& in, RoundLimit& rounds);

// The linear pressure under the plate for a large eccentricity, and the bolt tension that holds
// it down: the edge pressures, the compressed zone xn and the total tension ta.
struct LinearPressure {
  double ylmax, ylmin, xn, ta;
};
LinearPressure linearPressure(double N, double M, double B, double L, double lt);

// Stress in one tension bolt, with 1.2 for the uneven share among the bolts of the row.
inline double boltStress(double ta, double n, double Aems) { return 1.2 * ta * 2 / n / Aems; }

// The tension bolts' strength for the grade in CBfta and their stress write4.
struct BoltCheck {
  double fta, write4;
  bool holds() const { return !(write4 > fta); }
};
BoltCheck tensionBolts(double fta, double ta, double n, double Aems);

// A base-plate panel: its depth b, free edge or short side a, their ratio, the moment
// coefficient and the moment per unit width under the pressure q.
struct PlatePanel {
  double b, a, r, k, M;
};
// Supported on three sides (or two adjacent ones, on the diagonal); a cantilever of length b when
// short against its free edge, the coefficient kept either way.
PlatePanel threeSidePanel(double b, double a, double q);
// Supported on four sides.
PlatePanel fourSidePanel(double b, double a, double q);

// The next bolt size up; past the largest bolt the calculation stops.
int nextBoltOrStop(int dms);

enum class PassEnd { Designed, AxialTension };

// Whether the plate carries the bearing, or the case is outside the method.
enum class Bearing { Holds, AxialTension };

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
// closingMessage() is the message of a designed base. An axial-tension stop keeps what was
// computed and written so far.
template <class RunPass, class ClosingMessage>
Outcome detailingRun(const Entries& entries, double& rerun, RunPass&& runPass, ClosingMessage&& closingMessage) {
  Entries working = entries;
  Outcome outcome;
  rerun = 0;
  for (int pass = 0; pass < 2; ++pass) {
    const auto [end, layout] = runPass(working);
    if (end == PassEnd::AxialTension) {
      outcome.messages = {axialTensionMessage};
      outcome.ending = Ending::Partial;
      return outcome;
    }
    if (!working.cbsize) break;
    working.cbsize = false;
    const std::pair<const char*, double> sizes[] = {
        {"Edtsizea", layout.a}, {"Edtsizelt", layout.lt}, {"Edtsizebt", layout.bt}, {"Edtsizec", layout.c}};
    for (const auto& [control, value] : sizes) {
      working.texts[control] = formatGeneral(value);
      outcome.entryChanges[control] = working.texts[control];
    }
    outcome.cbsize = false;
    rerun = 1;
  }
  if (rerun != 0) outcome.cbsize = true;
  outcome.messages = {closingMessage()};
  outcome.ending = Ending::Completed;
  return outcome;
}

}  // namespace pedivo::rigidbase

#include "design/common/rigid_geometry.h"

#include "design/common/design_check.h"
#include "design/common/value_format.h"

namespace pedivo::rigidbase {
namespace {

using Held = ExposedRigidHeld;

std::string number(double x) { return operand(x); }

// a + lt, the stiffener's length from the flange to the plate end, with its numbers.
std::string aLtValues(const Held& h) { return number(h.a) + " + " + number(h.lt); }

// The pressure σc in N/mm² over an area in mm² gives newtons; the report gives the loads in kN.
std::string pressureValues(const Held& h) { return operand(ValueFormat::Cut2, h.ylc) + "×10⁻³"; }

// One term of the flange fit in symbols, "2c", and with its number, "2×75".
struct FitTerm {
  int count;
  const char* symbol;
  double value;
};

}  // namespace

std::string stiffenerSlendernessFormula(const RigidGeometry& g) {
  const std::string outstand = g.stiffenerSlenderness == SlendernessOutstand::HalfBeyondColumn
                                   ? std::string("(L − hb)/2")
                                   : "(" + g.stiffenerArm.formula() + ")";
  return outstand + "/ts ≤ 18·√(235/fy)";
}

double flangeFitNeed(const FlangeFit& fit, const Held& h) {
  // Left to right, term by term: the same sum as 2·c + 2·ts + 2·hf3 written out.
  double need = fit.spacings * h.c;
  if (fit.stiffeners > 0) need += fit.stiffeners * h.tjjl;
  if (fit.weldLegs > 0) need += fit.weldLegs * h.hf3;
  return need;
}

namespace {

template <class Write>
std::string fitTerms(const FlangeFit& fit, const Held& h, Write&& write) {
  const FitTerm terms[] = {{fit.spacings, "c", h.c}, {fit.stiffeners, "ts", h.tjjl}, {fit.weldLegs, "hf", h.hf3}};
  std::string text;
  for (const FitTerm& term : terms) {
    if (term.count <= 0) continue;
    if (!text.empty()) text += " + ";
    text += write(term);
  }
  return text;
}

}  // namespace

std::string flangeFitFormula(const FlangeFit& fit) {
  return fitTerms(fit, Held{}, [](const FitTerm& t) { return std::to_string(t.count) + t.symbol; });
}

std::string flangeFitValues(const FlangeFit& fit, const Held& h) {
  return flangeFitFormula(fit) + " = " +
         fitTerms(fit, h, [](const FitTerm& t) { return std::to_string(t.count) + "×" + number(t.value); });
}

// Eight bolts: a stiffener carries the pressure over a width (3c + 2ts + bt)/2 along a + lt.
double eightBoltStiffenerLoad(const Held& h, double q) { return (3 * h.c + 2 * h.tjjl + h.bt) * (h.a + h.lt) / 2 * q; }
std::string eightBoltStiffenerLoadValues(const Held& h) {
  return "(3c + 2ts + bt)·(a + lt)/2·σc = (3×" + number(h.c) + " + 2×" + number(h.tjjl) + " + " + number(h.bt) + ")×(" +
         aLtValues(h) + ")/2×" + pressureValues(h);
}

// Ten bolts: a stiffener carries the pressure over a width 2c + ts along a + lt.
double tenBoltStiffenerLoad(const Held& h, double q) { return (2 * h.c + h.tjjl) * (h.a + h.lt) * q; }
std::string tenBoltStiffenerLoadValues(const Held& h) {
  return "(2c + ts)·(a + lt)·σc = (2×" + number(h.c) + " + " + number(h.tjjl) + ")×(" + aLtValues(h) + ")×" +
         pressureValues(h);
}

}  // namespace pedivo::rigidbase

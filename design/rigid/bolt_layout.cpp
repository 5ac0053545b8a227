#include "design/rigid/bolt_layout.h"

#include "design/common/design_check.h"
#include "design/common/value_format.h"

namespace pedivo::rigid {
namespace {

using Held = RigidPlateHeld;

std::string number(double x) { return operand(x); }

// a + lt, the stiffener's length from the flange to the plate end, with its numbers.
std::string aLtValues(const Held& h) { return number(h.a) + " + " + number(h.lt); }

// The pressure σc in N/mm² over an area in mm² gives newtons; the report gives the loads in kN.
std::string pressureValues(const Held& h) { return operand(ValueFormat::Cut2, h.ylc) + "×10⁻³"; }

// Eight bolts: a stiffener carries the pressure over a width (3c + 2ts + bt)/2 along a + lt.
double eightBoltStiffenerLoad(const Held& h, double q) { return (3 * h.c + 2 * h.tjjl + h.bt) * (h.a + h.lt) / 2 * q; }
std::string eightBoltStiffenerLoadValues(const Held& h) {
  return "(3c + 2ts + bt)·(a + lt)/2·σc = (3×" + number(h.c) + " + 2×" + number(h.tjjl) + " + " + number(h.bt) + ")×(" +
         aLtValues(h) + ")/2×" + pressureValues(h);
}

// Ten bolts: a stiffener carries the pressure over a width 2c + ts along a + lt.
double tenBoltStiffenerLoad(const Held& h, double q) { return (2 * h.c + h.tjjl) * (h.a + h.lt) * q; }
std::string tenBoltStiffenerLoadValues(const Held& h) {
  return "(2c + ts)·(a + lt)·σc = (2×" + number(h.c) + " + " + number(h.tjjl) + ")×(" + aLtValues(h) + ")×" + pressureValues(h);
}

}  // namespace

constinit const BoltLayout eightBolts{
    .fourBoltsARow = false,
    .n = 6,
    .cSpacings = 4,
    .stiffenersAcross = 2,
    .spacingsBetweenStiffeners = 2,
    .checksWebWeldLeg = false,
    .panel4Width = [](const Held& h) { return (2 * h.c - h.tw) / 2; },
    .panel4WidthFormula = "(2c − tw)/2",
    .stiffenerLoad = eightBoltStiffenerLoad,
    .stiffenerLoadValues = eightBoltStiffenerLoadValues,
};

constinit const BoltLayout tenBolts{
    .fourBoltsARow = true,
    .n = 8,
    .cSpacings = 6,
    .stiffenersAcross = 3,
    .spacingsBetweenStiffeners = 4,
    .checksWebWeldLeg = true,
    .panel4Width = [](const Held& h) { return (4 * h.c + h.tjjl - h.tw) / 2; },
    .panel4WidthFormula = "(4c + ts − tw)/2",
    .stiffenerLoad = tenBoltStiffenerLoad,
    .stiffenerLoadValues = tenBoltStiffenerLoadValues,
};

const BoltLayout& layoutOf(const Held& h) { return h.fourBoltsARow ? tenBolts : eightBolts; }

std::string BoltLayout::layoutNeedFormula() const {
  return std::to_string(spacingsBetweenStiffeners) + "c + " + std::to_string(stiffenersAcross) + "ts + 2hf";
}

std::string BoltLayout::layoutNeedValues(const Held& h) const {
  return layoutNeedFormula() + " = " + std::to_string(spacingsBetweenStiffeners) + "×" + number(h.c) + " + " +
         std::to_string(stiffenersAcross) + "×" + number(h.tjjl) + " + 2×" + number(h.hf3);
}

}  // namespace pedivo::rigid

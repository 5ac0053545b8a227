#include "design/rigid/rigid_plate_values.h"

#include <algorithm>

#include "design/common/bolt_zone.h"
#include "design/common/numbers.h"
#include "design/common/rigid_base.h"
#include "design/common/rigid_check_values.h"
#include "design/common/size_rows.h"
#include "design/common/shear_key.h"
#include "design/common/stiffener_welds.h"
#include "design/common/tables.h"
#include "design/common/value_format.h"
#include "design/common/rigid_geometry.h"
#include "design/rigid/stiffener_step.h"

namespace pedivo::rigid {
namespace {

using Held = RigidPlateHeld;
using rigidbase::Symbol;

std::string n(double x) { return operand(x); }
std::string cut2(double x) { return operand(ValueFormat::Cut2, x); }
std::string cut3(double x) { return operand(ValueFormat::Cut3, x); }

rigidbase::PressureNumbers pressure(const Held& h) {
  return {h.N, h.M, h.e, h.L, h.B, h.lt, h.xn, h.ylmax, h.ylmin, h.ta, h.n, h.Aems, h.eccentricity, h.zone};
}

// The upstand weld of the stiffener at its final leg.
UpstandWeld upstandWeldOf(const Held& h) {
  return upstandWeld({.load = h.Vimax, .outstand = h.lw, .height = h.hjjl, .upstandEnds = h.geometry->stiffenerCornerCut}, h.hf3);
}

}  // namespace

void writeCheckValues(std::vector<DesignCheck>& checks, const Held& h) {
  const std::string betaF = operand(tables::betaF);
  rigidbase::writePressureValues(checks, pressure(h));
  const std::string Vimax = kNOperand(h.Vimax);
  const std::string hf3 = n(h.hf3);
  for (DesignCheck& check : checks) {
    if (check.id == "plate") {
      const std::string required =
          h.plateSizedBy == rigidbase::PlateSizedBy::Bolts ? "所需厚度 tpbt = max(tpbt1, tpbt2) = max(" + cut2(h.tpbt1) + ", " + cut2(h.tpbt2) + ")"
                          : "所需厚度 tpbc = √(6·M2/f) = √(6×" + operand(ValueFormat::KN2, h.M2) + "×10³/" + n(h.fpb) + ")";
      writeValues(check, required, "板厚 t + 0.1 = " + n(h.tpb) + " + 0.1");
    } else if (check.id == "flange") {
      writeValues(check, "σN + σM = N/(2AF + Aeww) + (M/2)/Wc = " + kNOperand(h.N) + "/(2×" + n(h.AF) + " + " +
                             n(h.Aeww) + ") + (" + kNmOperand(h.M) + "/2)/" + n(trunc(h.Wc)),
                  "f");
    } else if (check.id == "weld") {
      writeValues(check, "√((σN/βf)² + τV²) = √((" + cut3(h.ylnc) + "/" + betaF + ")² + " + cut3(h.ylv) + "²)", "ffw");
    } else if (check.id == "webWeldLeg") {
      writeValues(check, "hf", "1.2tw = 1.2×" + n(h.tw));
    } else if (check.id == "stiffener") {
      writeValues(check, "√(σ² + 3τ²) = √(" + cut3(h.ylfR) + "² + 3×" + cut3(h.ylvR) + "²)", "1.1f = 1.1×" + n(h.f1));
    } else if (check.id == "slenderness") {
      writeValues(check, "(L − hb)/2/ts = (" + n(h.L) + " − " + n(h.hb) + ")/2/" + n(h.tjjl),
                  "18√(235/fy) = 18×√(235/" + n(h.fy) + ")");
    } else if (check.id == "stiffenerPlateWeld") {
      writeValues(check, "σf = Vimax/(1.4hf·(lw − 2hf − 15)) = " + Vimax + "/(1.4×" + hf3 + "×(" + cut2(h.lw) +
                             " − 2×" + hf3 + " − 15))",
                  "βf·ffw = " + betaF + "×" + n(h.ffw));
    } else if (check.id == "stiffenerUpstandWeld") {
      const UpstandWeld weld = upstandWeldOf(h);
      writeValues(check, "lv = hs − 2hf − 15 = " + n(weld.length) + " mm，τf = Vimax/(1.4hf·lv) = " + Vimax +
                             "/(1.4×" + hf3 + "×" + n(weld.length) + ") = " + cut3(weld.tau) +
                             " N/mm²，σf = (lw·Vimax/2)/(0.7hf·lv²/3) = (" + cut2(h.lw) + "×" + Vimax + "/2)/(0.7×" +
                             hf3 + "×" + n(weld.length) + "²/3) = " + cut3(weld.sigma) +
                             " N/mm²，√(τf² + (σf/βf)²) = √(" + cut3(weld.tau) + "² + (" + cut3(weld.sigma) +
                             "/" + betaF + ")²)",
                  "ffw");
    } else if (check.id == "layout") {
      writeValues(check, rigidbase::flangeFitValues(h.geometry->flangeFit, h), "bf");
    }
  }
  writeShearKeyValues(checks, h.key, keySeatOf(h));
}

void emitWorkingValues(const Held& h, const TagEmitter& sink) {
  sink("<#tavalues>", rigidbase::boltTensionValues(pressure(h)));
  const std::string a = n(h.a);
  const std::string c = n(h.c);
  const std::string aLt = a + " + " + n(h.lt);
  using rigidbase::effectiveWidthValues;
  const rigidbase::CornerWidthValues corner = rigidbase::cornerWidthValues(h.a, h.c, h.lt, h.bt);
  sink("<#la1values>", corner.alongA);
  sink("<#lc1values>", corner.alongC);
  sink("<#la2values>", effectiveWidthValues({"a", h.a}, {"lt", h.lt}, "2c", "2×" + c));
  sink("<#lc2values>", effectiveWidthValues({"c", h.c}, {"c", h.c}, "a + lt", aLt));
  sink("<#Ntalvalues>", "2Ta/n = 2×" + operand(ValueFormat::KN3, h.ta) + "/" + n(h.n));
  sink("<#tpbt1values>", rigidbase::boltPanelThicknessValues({h.a, h.c, h.lt, h.la1, h.lc1, h.Ntal, h.fpbt}, h.cornerArm));
  sink("<#tpbt2values>", rigidbase::tpbt2Values(h.geometry->boltZonePlate, h));
  const std::string tf = n(h.tf);
  sink("<#Wcvalues>", "(tf³·bf/6 + 2·bf·tf·(hb/2 − tf/2)²)/hb = (" + tf + "³×" + n(h.bf) + "/6 + 2×" + n(h.bf) +
                          "×" + tf + "×(" + n(h.hb) + "/2 − " + tf + "/2)²)/" + n(h.hb));
  const std::string ylc = cut2(h.ylc);
  // Pressures over areas give newtons; the report gives the loads in kN.
  sink("<#Vi1values>", h.geometry->stiffenerLoadValues(h));
  sink("<#Vi2values>", "(a + lt + hb/2)·(B − bf)/4·σc·(xn − L/4)/xn = (" + aLt + " + " + n(h.hb) + "/2)×(" + n(h.B) +
                           " − " + n(h.bf) + ")/4×" + ylc + "×(" + cut2(h.xn) + " − " + n(h.L) + "/4)/" + cut2(h.xn) +
                           "×10⁻³");
  const std::string Vimax = kNOperand(h.Vimax);
  const std::string hs = n(h.hjjl - h.geometry->stiffenerCornerCut);
  sink("<#ylvRvalues>", "Vimax/((hs − 15)·ts) = " + Vimax + "/(" + hs + "×" + n(h.tjjl) + ")");
  sink("<#Ws>", n(trunc(h.Ws)));
  sink("<#ylfRvalues>", stiffenerBendingValues(h));
  sink("<#lwvalues>", stiffenerWeldOutstandValues(h));
}

namespace {

constexpr SizeField<RigidPlateHeld> boltLayoutSizes[] = {
    {"dms", &RigidPlateHeld::dms, "锚栓直径d"},
    {"a", &RigidPlateHeld::a, "柱边至锚栓中心a"},
    {"c", &RigidPlateHeld::c, "锚栓间距c"},
    {"lt", &RigidPlateHeld::lt, "锚栓中心至底板边lt"},
    {"bt", &RigidPlateHeld::bt, "锚栓中心至底板边bt"},
};
constexpr SizeField<RigidPlateHeld> webWeldLeg[] = {{"hf11", &RigidPlateHeld::hf11, "底板与柱腹板焊脚高度"}};

}  // namespace

const std::array<SizeField<RigidPlateHeld>, 12> rigidPlateSizes = joinSizes<RigidPlateHeld>(
    boltLayoutSizes, plateSizeRows<RigidPlateHeld>, webWeldLeg, boltStiffenerSizeRows<RigidPlateHeld>);

}  // namespace pedivo::rigid

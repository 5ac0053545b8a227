#include "design/bootbeam/boot_beam_values.h"

#include <algorithm>

#include "design/bootbeam/boot_beam_steps.h"
#include "design/common/bolt_zone.h"
#include "design/common/numbers.h"
#include "design/common/rigid_check_values.h"
#include "design/common/shear_key.h"
#include "design/common/stiffener_welds.h"
#include "design/common/tables.h"
#include "design/common/value_format.h"

namespace pedivo::bootbeam {
namespace {

std::string n(double x) { return operand(x); }
std::string cut2(double x) { return operand(ValueFormat::Cut2, x); }
std::string cut3(double x) { return operand(ValueFormat::Cut3, x); }

rigidbase::PressureNumbers pressure(const Held& h) {
  return {h.N, h.M, h.e, h.L, h.B, h.lt, h.xn, h.ylmax, h.ylmin, h.ta, h.n, h.Aems, h.eccentricity, h.zone};
}

// The stiffener's (rib's) arm with its numbers: "90 + 60".
std::string armNumbers(const Held& h, const rigidbase::RigidGeometry& g) {
  return n(h.*g.stiffenerArm.first) + " + " + n(h.*g.stiffenerArm.second);
}

// The boot beam's outstand over its thickness with its numbers.
std::string outstandValues(const Held& h, BootBeamOutstand outstand) {
  switch (outstand) {
    case BootBeamOutstand::None: break;
    case BootBeamOutstand::ToPlateEnd:
      return "(a + lt)/tsh = (" + n(h.a) + " + " + n(h.lt) + ")/" + n(h.tsh);
    case BootBeamOutstand::HalfBeyondColumn:
      return "((L − hb)/2)/tsh = ((" + n(h.L) + " − " + n(h.hb) + ")/2)/" + n(h.tsh);
  }
  return {};
}

// The pressure q(x) = σc·(xn − x)/xn written with its numbers, x given in symbols and numbers.
std::string pressureAt(const Held& h, const std::string& x) {
  return cut2(h.ylc) + "×(" + cut2(h.xn) + " − " + x + ")/" + cut2(h.xn);
}

// "βf·ffw = …×160" (βf from the tables): the limit of a fillet weld's stress normal to its length.
std::string betaFfw(const Held& h) { return "βf·ffw = " + operand(tables::betaF) + "×" + n(h.ffw); }

// The numbers of the plate's, the boot beams' and their welds' checks; false for another check.
bool writeBootBeamValues(DesignCheck& check, const Held& h, const rigidbase::RigidGeometry& g) {
  const std::string_view id = check.id;
  const std::string betaF = operand(tables::betaF);
  const std::string Vshmax = kNOperand(h.Vshmax);
  if (id == "plate") {
    const std::string required =
        h.plateSizedBy == rigidbase::PlateSizedBy::Bolts
            ? "所需厚度 tpbt = max(tpbt1, tpbt2) = max(" + cut2(h.tpbt1) + ", " + cut2(h.tpbt2) + ")"
            : "所需厚度 tpbc = √(6·M2/f) = √(6×" + operand(ValueFormat::KN2, h.M2) + "×10³/" + n(h.fpb) + ")";
    writeValues(check, required, "板厚 t + 0.1 = " + n(h.tpb) + " + 0.1");
  } else if (id == "bootBeamBending") {
    writeValues(check, "σ = (hsh/2 + ax)·Mmax/Ix = (" + n(h.hsh) + "/2 + " + cut2(h.ax) + ")×" + kNmOperand(h.Mshmax) +
                           "/" + cut2(h.Ix),
                "f");
  } else if (id == "bootBeamShear") {
    writeValues(check, "τ = 1.5·Vmax/(2·hsh·tsh) = 1.5×" + Vshmax + "/(2×" + n(h.hsh) + "×" + n(h.tsh) + ")", "fv");
  } else if (id == "bootBeamWeld") {
    writeValues(check, "所需焊脚 hf,req = Vmax/(1.4·lf·ffw) = " + Vshmax + "/(1.4×" + n(h.lf) + "×" + n(h.ffw) + ")",
                "hf + 0.1 = " + n(h.hf2) + " + 0.1");
  } else if (id == "bootBeamWeldLeg") {
    writeValues(check, "hf", "min(tsh, tf) = min(" + n(h.tsh) + ", " + n(h.tf) + ")");
  } else if (id == "bootBeamSlenderness") {
    writeValues(check, outstandValues(h, g.bootBeamOutstand), "18√(235/fy) = 18×√(235/" + n(h.fy) + ")");
  } else if (id == "plateWeld") {
    writeValues(check, "σN + σM = N/(2AF + Aeww) + (M·L/4)/Iw = " + kNOperand(h.N) + "/(2×" + n(h.AF) + " + " +
                           n(h.Aeww) + ") + (" + kNmOperand(h.M) + "×" + n(h.L) + "/4)/" + n(trunc(h.Iw)),
                betaFfw(h));
  } else if (id == "plateWeldCombined") {
    writeValues(check, "√(((σN + σM)/βf)² + τV²) = √((" + cut3(h.ylf) + "/" + betaF + ")² + " + cut3(h.ylv) + "²)", "ffw");
  } else {
    return false;
  }
  return true;
}

// The numbers of the stiffener's (the rib's) and the layout's checks.
void writePartValues(DesignCheck& check, const Held& h, const rigidbase::RigidGeometry& g) {
  const std::string_view id = check.id;
  const std::string betaF = operand(tables::betaF);
  const std::string armSymbols = g.stiffenerArm.formula();
  const std::string arm = "(" + armNumbers(h, g) + ")";
  const std::string Vimax = kNOperand(h.Vimax);
  const std::string hf3 = n(h.hf3);
  if (id == "stiffener") {
    writeValues(check, "√(σ² + 3τ²) = √(" + cut3(h.ylfR) + "² + 3×" + cut3(h.ylvR) + "²)", "1.1f = 1.1×" + n(h.f1));
  } else if (id == "slenderness") {
    writeValues(check, "(" + armSymbols + ")/ts = " + arm + "/" + n(h.tjjl), "18√(235/fy) = 18×√(235/" + n(h.fy) + ")");
  } else if (id == "stiffenerPlateWeld") {
    writeValues(check,
                "σf = Vimax/(1.4hf·(" + armSymbols + " − 2hf − 15)) = " + Vimax + "/(1.4×" + hf3 + "×(" +
                    armNumbers(h, g) + " − 2×" + hf3 + " − 15))",
                betaFfw(h));
  } else if (id == "stiffenerUpstandWeld") {
    const auto [length, Wf, tau, sigma] = upstandWeld(
        {.load = h.Vimax, .outstand = g.stiffenerArm.of(h), .height = h.hjjl, .upstandEnds = g.stiffenerCornerCut},
        h.hf3);
    writeValues(check,
                "lv = hs − 2hf − " + n(g.stiffenerCornerCut) + " = " + n(length) +
                    " mm，τf = Vimax/(1.4hf·lv) = " + Vimax + "/(1.4×" + hf3 + "×" + n(length) + ") = " + cut3(tau) +
                    " N/mm²，σf = ((" + armSymbols + ")·Vimax/2)/(0.7hf·lv²/3) = (" + arm + "×" + Vimax + "/2)/(0.7×" +
                    hf3 + "×" + n(length) + "²/3) = " + cut3(sigma) + " N/mm²，√(τf² + (σf/βf)²) = √(" + cut3(tau) +
                    "² + (" + cut3(sigma) + "/" + betaF + ")²)",
                "ffw");
  } else if (id == "layout") {
    writeValues(check, "2c = 2×" + n(h.c), "bf");
  }
}

// The plate at a T-shaped base's tension bolt: the effective widths and the two thicknesses.
void emitBoltPlateValues(const Held& h, const rigidbase::RigidGeometry& g, const TagEmitter& sink) {
  const rigidbase::CornerWidthValues corner = rigidbase::cornerWidthValues(h.a, h.c, h.lt, h.bt);
  sink("<#lx1values>", corner.alongA);
  sink("<#ly1values>", corner.alongC);
  sink("<#lx2values>", rigidbase::effectiveWidthValues({"a", h.a}, {"lt", h.lt}, "bf", n(h.bf)));
  sink("<#ly2values>", "min(2.75c, a + lt) = min(2.75×" + n(h.c) + ", " + n(h.a) + " + " + n(h.lt) + ")");
  sink("<#tpbt1values>", rigidbase::boltPanelThicknessValues({h.a, h.c, h.lt, h.la1, h.lc1, h.Ntal, h.fpbt, "lx", "ly"}, h.cornerArm));
  sink("<#tpbt2values>", rigidbase::tpbt2Values(g.boltZonePlate, h));
  sink("<#fpbt>", n(h.fpbt));
}

// The boot beams' section and moments, and the welds of column and boot beams to the plate.
void emitBootBeamValues(const Held& h, const BootBeamType& type, const TagEmitter& sink) {
  const rigidbase::RigidGeometry& g = *type.geometry;
  const CantileverMomentTags& moments = type.cantileverMomentTags;
  // The boot beams with the plate as their flange.
  const std::string t = n(h.tpb);
  const std::string B = n(h.B);
  const std::string hsh = n(h.hsh);
  const std::string tsh = n(h.tsh);
  sink("<#axvalues>", "t·B·(hsh + t)/2/(2·tsh·hsh + t·B) = " + t + "×" + B + "×(" + hsh + " + " + t + ")/2/(2×" +
                          tsh + "×" + hsh + " + " + t + "×" + B + ")");
  sink("<#Ixvalues>", "2·(tsh·hsh³/12 + tsh·hsh·ax²) + B·t³/12 + B·t·((hsh + t)/2 − ax)² = 2×(" + tsh + "×" + hsh +
                          "³/12 + " + tsh + "×" + hsh + "×" + cut2(h.ax) + "²) + " + B + "×" + t + "³/12 + " + B + "×" +
                          t + "×((" + hsh + " + " + t + ")/2 − " + cut2(h.ax) + ")²");
  // Forces in kN and moments in kN·m, as the report gives them.
  sink("<#Vsh1values>", "M/hb + N/2 = " + operand(ValueFormat::KNm3, h.M) + "×10³/" + n(h.hb) + " + " +
                            operand(ValueFormat::KN3, h.N) + "/2");
  const std::string L = n(h.L);
  const std::string hb = n(h.hb);
  sink(moments.pressure, "q((L − hb)/4)·(L − hb)²·B/8 = " + pressureAt(h, "(" + L + " − " + hb + ")/4") + "×(" + L +
                             " − " + hb + ")²×" + B + "/8×10⁻⁶");
  if (g.boltRowOnCantilever)
    sink(moments.boltRow, "Ta·a = " + operand(ValueFormat::KN3, h.ta) + "×" + n(h.a) + "×10⁻³");
  sink("<#Msh2values>", "q(L/2)·hb²/8·B = " + pressureAt(h, L + "/2") + "×" + hb + "²/8×" + B + "×10⁻⁶");
  // Column and boot beams welded all round to the plate.
  const std::string hf = n(h.hf5);
  sink("<#Aewwvalues>", "0.7hf·((L − 2hf) + 2·((L − hb)/2 − 2hf))·2 = 0.7×" + hf + "×((" + L + " − 2×" + hf +
                            ") + 2×((" + L + " − " + hb + ")/2 − 2×" + hf + "))×2");
  const std::string tf = n(h.tf);
  sink("<#Iwvalues>", "0.7hf·(L − 2hf)³/6 − 0.7hf·hb³/12 + bf·tf³/12 + bf·tf·((hb − tf)/2)² = 0.7×" + hf + "×(" + L +
                          " − 2×" + hf + ")³/6 − 0.7×" + hf + "×" + hb + "³/12 + " + n(h.bf) + "×" + tf + "³/12 + " +
                          n(h.bf) + "×" + tf + "×((" + hb + " − " + tf + ")/2)²");
}

}  // namespace

void writeCheckValues(std::vector<DesignCheck>& checks, const Held& h, const rigidbase::RigidGeometry& g) {
  rigidbase::writePressureValues(checks, pressure(h));
  for (DesignCheck& check : checks)
    if (!writeBootBeamValues(check, h, g)) writePartValues(check, h, g);
  writeShearKeyValues(checks, h.key, keySeatOf(h));
}

void writeCheckValues(std::vector<DesignCheck>& checks, const Held& h, const BootBeamType& type) {
  writeCheckValues(checks, h, *type.geometry);
  if (type.ownCheckValues)
    for (DesignCheck& check : checks) type.ownCheckValues(check, h);
}

void emitWorkingValues(const Held& h, const BootBeamType& type, const TagEmitter& sink) {
  const rigidbase::RigidGeometry& g = *type.geometry;
  sink("<#tavalues>", rigidbase::boltTensionValues(pressure(h)));
  sink("<#Ntalvalues>", "2Ta/n = 2×" + operand(ValueFormat::KN3, h.ta) + "/" + n(h.n));
  if (g.boltZonePlate != rigidbase::BoltZonePlate::None) emitBoltPlateValues(h, g, sink);
  emitBootBeamValues(h, type, sink);
  type.partValues(h, sink);
  emitShearKeyTags(h.key, keySeatOf(h), sink);
}

}  // namespace pedivo::bootbeam

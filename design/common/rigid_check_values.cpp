#include "design/common/rigid_check_values.h"

#include "design/common/rigid_base.h"
#include "design/common/value_format.h"

namespace pedivo::rigidbase {
namespace {

std::string cut2(double x) { return operand(ValueFormat::Cut2, x); }

}  // namespace

void writePressureValues(std::vector<DesignCheck>& checks, const PressureNumbers& p) {
  // Written only for a completed design: the case is concentric, within the kern, within the bolt row or beyond it.
  const std::string N = kNOperand(p.N);
  const std::string L = operand(p.L);
  const std::string B = operand(p.B);
  const std::string e = cut2(p.e);
  std::string bearing;
  if (p.eccentricity == Eccentricity::Concentric) {
    bearing = "σc = N/(L·B) = " + N + "/(" + L + "×" + B + ")";
  } else if (p.eccentricity == Eccentricity::WithinKern) {
    bearing = "σc = N·(1 + 6e/L)/(L·B) = " + N + "×(1 + 6×" + e + "/" + L + ")/(" + L + "×" + B + ")";
  } else if (p.eccentricity == Eccentricity::WithinBoltRow) {
    bearing = "σc = 2N/[3·(L/2 − e)·B] = 2×" + N + "/[3×(" + L + "/2 − " + e + ")×" + B + "]";
  } else if (p.zone == CompressedZoneMethod::Equilibrium) {
    bearing = "σc = 2N·(e + L/2 − lt)/[B·xn·(L − lt − xn/3)] = 2×" + N + "×(" + e + " + " + L + "/2 − " +
              operand(p.lt) + ")/[" + B + "×" + cut2(p.xn) + "×(" + L + " − " + operand(p.lt) + " − " + cut2(p.xn) +
              "/3)]";
  } else {
    bearing = "σc = σmax = N/(B·L) + 6M/(B·L²) = " + N + "/(" + B + "×" + L + ") + 6×" + kNmOperand(p.M) + "/(" + B +
              "×" + L + "²)";
  }
  for (DesignCheck& check : checks) {
    if (check.id == "bearing") {
      writeValues(check, bearing, "fc");
    } else if (check.id == "bolt") {
      writeValues(check, "σt = 1.2·Ta·2/n/Ae = 1.2×" + kNOperand(p.ta) + "×2/" + operand(p.n) + "/" + operand(p.Aems),
                  "fta");
    } else if (check.id == "shear") {
      writeValues(check, "V", "Vfb = 0.4(N + Ta) = 0.4×(" + operand(ValueFormat::KN3, p.N) + " + " +
                                  operand(ValueFormat::KN3, p.ta) + ")");
    }
  }
}

std::string boltTensionValues(const PressureNumbers& p) {
  if (p.eccentricity != Eccentricity::BeyondBoltRow) return "受压区未及受拉锚栓，Ta";
  const std::string L = operand(p.L);
  const std::string lt = operand(p.lt);
  const std::string xn = cut2(p.xn);
  if (p.zone == CompressedZoneMethod::Equilibrium)
    return "Ta = (e − L/2 + xn/3)·N/(L − lt − xn/3) = (" + cut2(p.e) + " − " + L + "/2 + " + xn + "/3)×" +
           operand(ValueFormat::KN3, p.N) + "/(" + L + " − " + lt + " − " + xn + "/3)";
  return "σmax,min = N/(B·L) ± 6M/(B·L²) = " + cut2(p.ylmax) + "，" + cut2(p.ylmin) +
         " N/mm²；xn = L·σmax/(σmax − σmin) = " + L + "×" + cut2(p.ylmax) + "/(" + cut2(p.ylmax) + " − " +
         cut2(p.ylmin) + ") = " + xn + " mm；Ta = [M − N·(L/2 − xn/3)]/(L − lt − xn/3) = [" +
         operand(ValueFormat::KNm3, p.M) + "×10³ − " + operand(ValueFormat::KN3, p.N) + "×(" + L + "/2 − " + xn +
         "/3)]/(" + L + " − " + lt + " − " + xn + "/3)";
}

std::string boltPanelThicknessValues(const BoltPanelNumbers& p) {
  return boltPanelThicknessValues(p, longerArm(p.a, p.c));
}

std::string boltPanelThicknessValues(const BoltPanelNumbers& p, LongerArm longer) {
  // The longer of the two arms takes the cube in the numerator.
  const bool cLonger = longer == LongerArm::C;
  const std::string a = operand(p.a);
  const std::string c = operand(p.c);
  const std::string la = cut2(p.la);
  const std::string lc = cut2(p.lc);
  const std::string widths = std::string("/(c³·") + p.laSymbol + " + a³·" + p.lcSymbol + ")/f)";
  return std::string(cLonger ? "√(6·Nta·a·c³" : "√(6·Nta·c·a³") + widths + " = √(6×" +
         kNOperand(p.Nta) + "×" + (cLonger ? a + "×" + c : c + "×" + a) + "³/(" + c + "³×" + la + " + " + a + "³×" +
         lc + ")/" + operand(p.f) + ")";
}

std::string effectiveWidthValues(const Symbol& arm, const Symbol& beyond, const std::string& boundSymbols,
                                 const std::string& boundNumbers) {
  const std::string x = operand(arm.value);
  return "min(" + arm.name + "·(3.5 − 1.5" + arm.name + "/(" + arm.name + " + " + beyond.name + ")), " +
         boundSymbols + ") = min(" + x + "×(3.5 − 1.5×" + x + "/(" + x + " + " + operand(beyond.value) + ")), " +
         boundNumbers + ")";
}

CornerWidthValues cornerWidthValues(double a, double c, double lt, double bt) {
  return {effectiveWidthValues({"a", a}, {"lt", lt}, "c + bt", operand(c) + " + " + operand(bt)),
          effectiveWidthValues({"c", c}, {"bt", bt}, "a + lt", operand(a) + " + " + operand(lt))};
}

}  // namespace pedivo::rigidbase

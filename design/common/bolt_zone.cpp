#include "design/common/bolt_zone.h"

#include <algorithm>
#include <cmath>

#include "design/common/design_check.h"
#include "design/common/rigid_base.h"
#include "design/common/value_format.h"

namespace pedivo::rigidbase {

// The products and quotients below are evaluated left to right as written: regrouping them would
// change the last bit of the thicknesses.

BoltZoneThickness boltZoneBetweenStiffeners(const BoltZoneLayout& z, double f) {
  const CornerBoltZone corner = cornerBoltZone(z.a, z.c, z.lt, z.bt, z.Nta, f);
  // Between two stiffeners the bolt sits at c from each: 2c across, and a double panel along a.
  const double la2 = std::min(boltSpread(z.a, z.lt), 2 * z.c);
  const double lc2 = std::min(boltSpread(z.c, z.c), z.a + z.lt);
  const double d2 = 8 * z.a * z.a * z.a * lc2 + z.c * z.c * z.c * la2;
  const SecondPanelSpan span = z.c * z.c < 2 * z.a * z.a ? SecondPanelSpan::AlongA : SecondPanelSpan::AlongC;
  const double tpbt2 = span == SecondPanelSpan::AlongA ? std::sqrt(12 * z.Nta * z.c * z.a * z.a * z.a / d2 / f)
                                                       : std::sqrt(6 * z.Nta * z.a * z.c * z.c * z.c / d2 / f);
  return {corner.la1, corner.lc1, corner.tpbt1, la2, lc2, tpbt2, std::max(corner.tpbt1, tpbt2), span, corner.longer};
}

BoltZoneThickness boltZoneAcrossFlange(const BoltZoneLayout& z, double bf, double f) {
  const CornerBoltZone corner = cornerBoltZone(z.a, z.c, z.lt, z.bt, z.Nta, f);
  // Across the flange width the bolt sits at bf/2 from the stiffeners and at a from the flange.
  const double la2 = std::min(boltSpread(z.a, z.lt), bf);
  const double lc2 = std::min(2.75 * z.c, z.a + z.lt);
  const double half = bf / 2;
  const double d2 = 8 * z.a * z.a * z.a * lc2 + half * half * half * la2;
  const SecondPanelSpan span = bf * bf < 8 * z.a * z.a ? SecondPanelSpan::AlongA : SecondPanelSpan::AcrossFlange;
  const double tpbt2 = span == SecondPanelSpan::AlongA ? std::sqrt(6 * z.Nta * bf * z.a * z.a * z.a / d2 / f)
                                                       : std::sqrt(6 * z.Nta * z.a * half * half * half / d2 / f);
  return {corner.la1, corner.lc1, corner.tpbt1, la2, lc2, tpbt2, std::max(corner.tpbt1, tpbt2), span, corner.longer};
}

BoltZoneThickness boltZone(BoltZonePlate plate, const BoltZoneLayout& z, double bf, double f) {
  switch (plate) {
    case BoltZonePlate::BetweenStiffeners: return boltZoneBetweenStiffeners(z, f);
    case BoltZonePlate::AcrossFlange: return boltZoneAcrossFlange(z, bf, f);
    case BoltZonePlate::None: break;
  }
  return {};
}

void holdBoltZone(ExposedRigidHeld& h, const BoltZoneThickness& zone) {
  h.la1 = zone.la1, h.lc1 = zone.lc1, h.tpbt1 = zone.tpbt1;
  h.la2 = zone.la2, h.lc2 = zone.lc2, h.tpbt2 = zone.tpbt2;
  h.tpbt = zone.tpbt;
  h.secondPanelSpan = zone.span;
}

namespace {

std::string cut2(double x) { return operand(ValueFormat::Cut2, x); }

}  // namespace

std::string betweenStiffenersTpbt2Values(const ExposedRigidHeld& h) {
  const std::string a = operand(h.a);
  const std::string c = operand(h.c);
  const std::string Nta = kNOperand(h.Ntal);
  const std::string f = operand(h.fpbt);
  const std::string d2 = "(8·a³·lc2 + c³·la2)";
  const std::string d2n = "(8×" + a + "³×" + cut2(h.lc2) + " + " + c + "³×" + cut2(h.la2) + ")";
  if (h.secondPanelSpan == SecondPanelSpan::AlongA)
    return "√(12·Nta·c·a³/" + d2 + "/f) = √(12×" + Nta + "×" + c + "×" + a + "³/" + d2n + "/" + f + ")";
  return "√(6·Nta·a·c³/" + d2 + "/f) = √(6×" + Nta + "×" + a + "×" + c + "³/" + d2n + "/" + f + ")";
}

std::string acrossFlangeTpbt2Values(const ExposedRigidHeld& h) {
  const std::string a = operand(h.a);
  const std::string bf = operand(h.bf);
  const std::string Nta = kNOperand(h.Ntal);
  const std::string f = operand(h.fpbt);
  const std::string half = "(" + bf + "/2)";
  const std::string d2 = "(8·a³·ly2 + (bf/2)³·lx2)";
  const std::string d2n = "(8×" + a + "³×" + cut2(h.lc2) + " + " + half + "³×" + cut2(h.la2) + ")";
  if (h.secondPanelSpan == SecondPanelSpan::AlongA)
    return "√(6·Nta·bf·a³/" + d2 + "/f) = √(6×" + Nta + "×" + bf + "×" + a + "³/" + d2n + "/" + f + ")";
  return "√(6·Nta·a·(bf/2)³/" + d2 + "/f) = √(6×" + Nta + "×" + a + "×" + half + "³/" + d2n + "/" + f + ")";
}

std::string tpbt2Values(BoltZonePlate plate, const ExposedRigidHeld& h) {
  switch (plate) {
    case BoltZonePlate::BetweenStiffeners: return betweenStiffenersTpbt2Values(h);
    case BoltZonePlate::AcrossFlange: return acrossFlangeTpbt2Values(h);
    case BoltZonePlate::None: break;
  }
  return {};
}

}  // namespace pedivo::rigidbase

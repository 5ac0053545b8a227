#include "design/rigid/rigid_remedies.h"

#include "design/common/calculation.h"
#include "design/common/remedy_text.h"
#include "design/common/shear_key.h"
#include "design/common/tables.h"
#include "design/common/rigid_geometry.h"

namespace pedivo::rigid {
namespace {

using remedy::num;

// Narrower bolt spacing: c itself while it is above its detailing value, else a smaller bolt,
// which a longer lever lt brings (the detailing c follows the bolt).
std::string narrowerSpacing(const RigidPlateHeld& h, double detailingC) {
  if (h.c > detailingC) return "减小 " + remedy::sizeNow("c", h.c, detailingC);
  return remedy::untickDetailing + "并加大 lt、bt，使锚栓拉力减小、锚栓变细（c 已是 M" + num(h.dms) + " 锚栓的构造值 " +
         num(detailingC) + " mm，锚栓变细后构造值随之减小）";
}

double stiffenerWeight(const rigidbase::RigidGeometry& geometry, const RigidPlateHeld& h) {
  return geometry.stiffeners() * plateMass(rigidbase::stiffenerOutstand(geometry, h), h.hjjl, h.tjjl);
}

remedy::Detailing detailing(const RigidPlateHeld& h) { return remedy::detailing(h.dms); }

std::vector<remedy::CheckRemedy> commonRemedies(const RigidPlateHeld& h) {
  const remedy::Detailing d = detailing(h);
  const std::string stiffenerAdvice = "加劲肋由程序加高加厚；仍不足时" + std::string(remedy::untickDetailing) +
                                      "并调整 a、lt（加劲肋长 (L − hb)/2 = " + num((h.L - h.hb) / 2) + " mm）";
  return {
      {"bearing", remedy::bearing(h.ylc, h.fc, remedy::sizeNow("a", h.a, d.a) + "、" + remedy::sizeNow("c", h.c, d.c))},
      {"bolt", remedy::boltStress(h.write4, h.fta, h.lt, d.edge)},
      {"plate", remedy::panelPlate(std::max(h.tpbc, h.tpbt))},
      {"flange", "柱翼缘正应力 σ = " + num(h.ylf) + " N/mm²（f = " + num(h.f) + "）：" +
                     remedy::columnOverstressed("柱翼缘正应力")},
      {"weld", "柱与底板焊缝受柱翼缘应力所限（σ = " + num(h.ylf) + "，f = " + num(h.f) + " N/mm²）：" +
                   remedy::columnOverstressed("柱截面应力")},
      {"stiffener", "加劲肋折算应力 " + num(h.ylequ) + " > 1.1f = " + num(tables::equivalentStressFactor * h.f1) + " N/mm²：" + stiffenerAdvice},
      {"slenderness", "加劲肋宽厚比 " + num(h.write1) + " > " + num(h.write2) + "：" + stiffenerAdvice},
      {"stiffenerPlateWeld", "加劲肋与底板焊缝应力 " + num(h.ylnf) + " N/mm²：" + stiffenerAdvice},
      {"stiffenerUpstandWeld", "加劲肋竖向焊缝应力 " + num(h.ylvf) + " N/mm²：" + stiffenerAdvice},
  };
}

remedy::StopAdvice rigidStops(std::string_view otherType) {
  return {"加劲肋焊缝计算长度不足：" + std::string(remedy::untickDetailing) + "，把 a、lt 加大到构造值的 1.5 倍左右",
          std::string(remedy::untickDetailing) + "并加大 a、c、lt、bt，或使用“自动调整”；仍不能设计时改用" +
              std::string(otherType),
          "锚栓直径超过 100 mm：加大 lt 以加长锚栓力臂，或改用T型靴梁柱脚"};
}

// The plate and the stiffeners of the layout.
template <const rigidbase::RigidGeometry& geometry>
double weight(const RigidPlateHeld& h) {
  return plateMass(h.L, h.B, h.tpb) + stiffenerWeight(geometry, h) + shearKeyMass(h.key);
}

// The flange width the layout needs, "bf ≥ 346 mm（4c + 3ts + 2hf），现为 300 mm：", with the very
// number its check compared: the need is summed left to right as 4·c + 3·ts + 2·hf3.
std::string layoutNeed(const rigidbase::RigidGeometry& geometry, const RigidPlateHeld& h) {
  return "布置需要翼缘宽度 bf ≥ " + num(rigidbase::flangeFitNeed(geometry.flangeFit, h)) + " mm（" +
         rigidbase::flangeFitFormula(geometry.flangeFit) + "），现为 " +
         num(h.bf) + " mm：";
}

// The remedies common to both layouts, the layout's own advice when the stiffeners do not fit
// within the flange, and the web weld's where the layout checks its leg against the web.
void attachRemedies(const rigidbase::RigidGeometry& geometry, const RigidPlateHeld& h, std::string layoutAdvice,
                    std::vector<DesignCheck>& checks) {
  std::vector<remedy::CheckRemedy> list = commonRemedies(h);
  list.push_back({"layout", std::move(layoutAdvice)});
  if (geometry.checksWebWeldLeg)
    list.push_back({"webWeldLeg", "腹板焊脚 hf = " + num(h.hf11) + " mm > 1.2tw = " +
                                      num(tables::largestLegFactor * h.tw) + " mm：改用八锚栓柱脚，或采用腹板更厚的柱截面"});
  remedy::attach(checks, list);
  attachShearKeyRemedies(h.key, keySeatOf(h), checks);
}

// The remedies are bound to their base type, so each reads its own geometry rather than the held one.
void eightBoltCheckRemedies(const RigidPlateHeld& h, std::vector<DesignCheck>& checks) {
  attachRemedies(rigidbase::eightBoltGeometry, h,
                 "加劲肋" + layoutNeed(rigidbase::eightBoltGeometry, h) + narrowerSpacing(h, detailing(h).c) + "，或改用T型或槽型靴梁柱脚" +
                     remedy::typeChangeByAdjust,
                 checks);
}

void tenBoltCheckRemedies(const RigidPlateHeld& h, std::vector<DesignCheck>& checks) {
  attachRemedies(rigidbase::tenBoltGeometry, h,
                 "十锚栓" + layoutNeed(rigidbase::tenBoltGeometry, h) + "改用八锚栓柱脚或靴梁柱脚" + remedy::typeChangeByAdjust + "，或" +
                     narrowerSpacing(h, detailing(h).c),
                 checks);
}

std::string eightBoltStopRemedy(const Entries& entries, Stop stop) {
  return remedy::stopRemedy(entries, stop, rigidStops("T型靴梁柱脚"));
}

std::string tenBoltStopRemedy(const Entries& entries, Stop stop) {
  return remedy::stopRemedy(entries, stop, rigidStops("八锚栓柱脚"));
}

}  // namespace

const TypeRemedies<RigidPlateHeld> eightBoltRemedies{weight<rigidbase::eightBoltGeometry>, eightBoltCheckRemedies, eightBoltStopRemedy};
const TypeRemedies<RigidPlateHeld> tenBoltRemedies{weight<rigidbase::tenBoltGeometry>, tenBoltCheckRemedies, tenBoltStopRemedy};

}  // namespace pedivo::rigid

#include "design/pinned/pinned_remedies.h"

#include <algorithm>

#include "design/common/calculation.h"
#include "design/common/remedy_text.h"
#include "design/common/shear_key.h"
#include "design/common/tables.h"

namespace pedivo::pinned {
namespace {

using remedy::num;

double detailingA(const PinnedPlateHeld& h) {
  const auto bolt = tables::anchorBolt(static_cast<int>(h.dms));
  return bolt ? bolt->a : 0;
}

// The plate's width is the larger of bf + 40 and 2(a + bt) + tw: only a, bt and the bolt move it.
std::vector<remedy::CheckRemedy> plateRemedies(const PinnedPlateHeld& h, std::string_view thickerPlate) {
  const double edge = tables::boltEdgeDistance(static_cast<int>(h.dms));
  const double byFlange = h.bf + 40;
  return {
      {"bearing", remedy::bearing(h.ylc, h.fc,
                                  remedy::sizeNow("a", h.a, detailingA(h)) + "、" + remedy::sizeNow("bt", h.bt, edge),
                                  " 以加宽底板")},
      {"plate", "底板需厚 " + num(h.tpbc) + " mm：提高底板钢材牌号" + std::string(thickerPlate)},
      {"overhang", "底板外伸 " + num(h.co) + " mm 需板厚 " + num(h.tpbo) + " mm：减小锚栓直径或 a、bt（底板宽 B = " +
                       num(h.B) + " mm，翼缘宽加 40 为 " + num(byFlange) + " mm），使底板外伸变短"},
      {"flange", "柱翼缘轴压应力 σN = " + num(h.ylnc) + " N/mm²（f = " + num(h.f) + "）：" +
                     remedy::columnOverstressed("柱翼缘轴压应力")},
      {"weld", "柱与底板焊缝受柱翼缘应力所限（σN = " + num(h.ylnc) + "，f = " + num(h.f) + " N/mm²）：" +
                   remedy::columnOverstressed("柱截面应力")},
  };
}

remedy::StopAdvice pinnedStops(std::string_view type) {
  return {"柱腹板焊缝计算长度 hb − 2tf − 2hf 不足：柱截面腹板过矮，柱截面需加大",
          remedy::untickDetailing + "并加大 a、bt，或使用“自动调整”；仍不能设计时改用" + std::string(type),
          "锚栓直径超出范围：改用刚接柱脚"};
}

double twoBoltWeight(const PinnedPlateHeld& h) { return plateMass(h.L, h.B, h.tpb) + shearKeyMass(h.key); }

double fourBoltWeight(const FourBoltHeld& h) {
  return plateMass(h.L, h.B, h.tpb) + 2 * plateMass((h.B - h.tw) / 2, h.hjjl, h.tjjl) + shearKeyMass(h.key);
}

void twoBoltCheckRemedies(const PinnedPlateHeld& h, std::vector<DesignCheck>& checks) {
  remedy::attach(checks, plateRemedies(h, "，或改用四锚栓柱脚（加劲肋把区格减半）"));
  attachShearKeyRemedies(h.key, keySeatOf(h), checks);
}

void fourBoltCheckRemedies(const FourBoltHeld& h, std::vector<DesignCheck>& checks) {
  std::vector<remedy::CheckRemedy> list = plateRemedies(h, "");
  const std::string longer = "加劲肋由程序加高加厚；仍不足时减小 a、bt 使加劲肋 (B − tw)/2 = " + num((h.B - h.tw) / 2) +
                             " mm 变短，或提高钢材牌号";
  list.push_back({"stiffener", "加劲肋折算应力 " + num(h.ylequ) + " > 1.1f = " + num(tables::equivalentStressFactor * h.f1) + " N/mm²：" + longer});
  list.push_back({"slenderness", "加劲肋宽厚比 " + num(h.write1) + " > " + num(h.write2) + "：" + longer});
  list.push_back({"stiffenerPlateWeld", "加劲肋与底板焊缝应力 " + num(h.ylnf) + " N/mm²：" + longer});
  list.push_back({"stiffenerWebWeld", "加劲肋与腹板焊缝应力 " + num(h.ylvf) + " N/mm²：" + longer});
  remedy::attach(checks, list);
  attachShearKeyRemedies(h.key, keySeatOf(h), checks);
}

std::string twoBoltStopRemedy(const Entries& entries, Stop stop) {
  return remedy::stopRemedy(entries, stop, pinnedStops("四锚栓柱脚"));
}

std::string fourBoltStopRemedy(const Entries& entries, Stop stop) {
  remedy::StopAdvice advice = pinnedStops("刚接柱脚");
  advice.weldTooShort =
      "加劲肋焊缝计算长度不足：" + remedy::untickDetailing + "并加大 a、bt（加劲肋长 (B − tw)/2 需大于 2hf + 15 mm）";
  return remedy::stopRemedy(entries, stop, advice);
}

}  // namespace

const TypeRemedies<PinnedPlateHeld> twoBoltRemedies{twoBoltWeight, twoBoltCheckRemedies, twoBoltStopRemedy};
const TypeRemedies<FourBoltHeld> fourBoltRemedies{fourBoltWeight, fourBoltCheckRemedies, fourBoltStopRemedy};

}  // namespace pedivo::pinned

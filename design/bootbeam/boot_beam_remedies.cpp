#include "design/bootbeam/boot_beam_remedies.h"

#include <algorithm>
#include <string>

#include "design/bootbeam/boot_beam_steps.h"
#include "design/common/calculation.h"
#include "design/common/design_check.h"
#include "design/common/remedy_text.h"
#include "design/common/numbers.h"
#include "design/common/shear_key.h"
#include "design/common/tables.h"

namespace pedivo::bootbeam {
namespace {

using remedy::num;

double plateAndBootBeams(const BootBeamHeld& h) {
  return plateMass(h.L, h.B, h.tpb) + 2 * plateMass(h.L, h.hsh, h.tsh) + shearKeyMass(h.key);
}

remedy::Detailing detailing(const BootBeamHeld& h) { return remedy::detailing(h.dms); }

// The weld of a boot beam to the column: its leg follows the flange force, rounded to an even size
// that may stay up to 0.1 mm under the leg the force needs.
std::string bootBeamWeld(const BootBeamHeld& h) {
  const double neededLeg = h.lf > 0 && h.ffw > 0 ? bootBeamWeldLegNeeded(h) : 0;
  const double allowed = h.hf2 + weldLegRoundingTolerance;
  return "靴梁与柱焊缝承受柱翼缘力 " + num(h.Vshmax / 1000) + " kN、焊缝长 " + num(h.lf) + " mm，所需焊脚 " +
         remedy::beyond(neededLeg, allowed) + " mm > hf + 0.1 = " + num(allowed) + " mm：提高钢材牌号（焊缝强度 ffw），或" +
         remedy::untickDetailing + "并加大 a、lt 使靴梁加高（试用“自动调整”）";
}

// The two sizes that make a stiffener's (rib's) outstand, and the outstand now: "c、bt（加劲肋长 c + bt = 110 mm）".
std::string armSizes(const rigidbase::LayoutOutstand& arm, std::string_view part, const BootBeamHeld& h) {
  return arm.sizes() + "（" + std::string(part) + "长 " + arm.formula() + " = " + num(arm.of(h)) + " mm）";
}

std::vector<remedy::CheckRemedy> commonRemedies(const BootBeamHeld& h, std::string_view stiffenerName,
                                                const std::string& stiffenerSizes) {
  const remedy::Detailing d = detailing(h);
  const std::string bootBeam = "靴梁由程序加厚加高；仍不足时减小 a、lt 使靴梁悬臂 (L − hb)/2 = " +
                               num((h.L - h.hb) / 2) + " mm 变短，或提高钢材牌号";
  const std::string stiffener = std::string(stiffenerName) + "由程序加高加厚；仍不足时" + remedy::untickDetailing +
                                "并调整 " + stiffenerSizes;
  const std::string plateWeld = "焊缝沿底板长度 L = " + num(h.L) + " mm：" + remedy::untickDetailing +
                                "并加大 a、lt 以加长底板和焊缝；" + "柱截面应力过大时需加大柱截面";
  return {
      {"bearing", remedy::bearing(h.ylc, h.fc, remedy::sizeNow("a", h.a, d.a) + "、" + remedy::sizeNow("lt", h.lt, d.edge))},
      {"bolt", remedy::boltStress(h.write4, h.fta, h.lt, d.edge)},
      {"plate", remedy::panelPlate(std::max(h.tpbc, h.tpbt))},
      {"bootBeamBending", "靴梁弯曲应力 " + num(h.ylm) + " > f = " + num(h.fsh) + " N/mm²：" + bootBeam},
      {"bootBeamShear", "靴梁剪应力 " + num(h.ylvx) + " > fv = " + num(h.fvsh) + " N/mm²：" + bootBeam},
      {"bootBeamWeld", bootBeamWeld(h)},
      {"bootBeamWeldLeg", "靴梁与柱焊脚 hf = " + num(h.hf2) + " mm 超过 min(tsh, tf) = " + num(std::min(h.tsh, h.tf)) +
                              " mm：柱翼缘 tf 过薄，采用翼缘更厚的柱截面"},
      {"bootBeamSlenderness", "靴梁宽厚比过大：" + bootBeam},
      {"plateWeld", "柱及靴梁与底板焊缝正应力 " + num(h.ylf) + " N/mm²：" + plateWeld},
      {"plateWeldCombined", "柱及靴梁与底板焊缝折算应力 " + num(h.ylfs) + " N/mm²：" + plateWeld},
      {"stiffener", std::string(stiffenerName) + "折算应力 " + num(h.ylequ) + " > 1.1f = " + num(tables::equivalentStressFactor * h.f1) +
                        " N/mm²：" + stiffener},
      {"slenderness", std::string(stiffenerName) + "宽厚比 " + num(h.write1) + " > " + num(h.write2) + "：" + stiffener},
      {"stiffenerPlateWeld", std::string(stiffenerName) + "与底板焊缝应力 " + num(h.ylnf) + " N/mm²：" + stiffener},
      {"stiffenerUpstandWeld", std::string(stiffenerName) + "竖向焊缝应力 " + num(h.ylvf) + " N/mm²：" + stiffener},
  };
}

double tBootBeamWeight(const BootBeamHeld& h) {
  return plateAndBootBeams(h) + 8 * plateMass((h.B - h.bf - 2 * h.tsh) / 2, h.hjjl, h.tjjl);
}

double channelBootBeamWeight(const BootBeamHeld& h) {
  // Top plate and ribs run from the diaphragm's outer face to the plate end.
  const double beyondDiaphragm = h.L / 2 - (h.hb / 2 + h.a / 3 + h.tcb / 2);
  return plateAndBootBeams(h) + 2 * plateMass(beyondDiaphragm, h.bf, h.tp) + 2 * plateMass(h.bf, h.hcb, h.tcb) +
         8 * plateMass(beyondDiaphragm, h.hjjl, h.tjjl);
}

void tBootBeamCheckRemedies(const BootBeamHeld& h, std::vector<DesignCheck>& checks) {
  std::vector<remedy::CheckRemedy> list =
      commonRemedies(h, "锚栓加劲肋", armSizes(rigidbase::tShapedGeometry.stiffenerArm, "加劲肋", h));
  list.push_back({"layout", "两侧锚栓间距 2c = " + num(2 * h.c) + " mm 超过翼缘宽度 bf = " + num(h.bf) + " mm：减小 " +
                                remedy::sizeNow("c", h.c, detailing(h).c) + "，或改用槽型靴梁柱脚" +
                                remedy::typeChangeByAdjust});
  remedy::attach(checks, list);
  attachShearKeyRemedies(h.key, keySeatOf(h), checks);
}

void channelBootBeamCheckRemedies(const BootBeamHeld& h, std::vector<DesignCheck>& checks) {
  std::vector<remedy::CheckRemedy> list = commonRemedies(h, "肋板", armSizes(rigidbase::channelGeometry.stiffenerArm, "肋板", h));
  const std::string diaphragm = "隔板由程序加高加厚，高度以靴梁高 hsh = " + num(h.hsh) +
                                " mm 为限：减小 lt 使隔板荷载变小，或提高钢材牌号";
  list.push_back({"diaphragmBending", "隔板弯曲应力 " + num(h.ylfcb) + " > f = " + num(h.fcb) + " N/mm²：" + diaphragm});
  list.push_back({"diaphragmShear", "隔板剪应力 " + num(h.ylvcb) + " > fv = " + num(h.fvcb) + " N/mm²：" + diaphragm});
  list.push_back({"diaphragmWeldLeg", "隔板与靴梁焊脚 hf7 = " + num(h.hf7) + " mm > tcb = " + num(h.tcb) + " mm：" +
                                          diaphragm});
  remedy::attach(checks, list);
  attachShearKeyRemedies(h.key, keySeatOf(h), checks);
}

std::string tBootBeamStopRemedy(const Entries& entries, Stop stop) {
  return remedy::stopRemedy(
      entries, stop,
      {"靴梁加劲肋焊缝长度不足：" + std::string(remedy::untickDetailing) +
           "，把 c、bt 增大到 100 mm 左右（加劲肋长 c + bt 需远大于 2hf + 15 mm）",
       std::string(remedy::untickDetailing) + "并加大 c、bt、a、lt，或使用“自动调整”；仍不能设计时改用槽型靴梁柱脚",
       "锚栓直径超过 100 mm：加大 lt 以加长锚栓力臂，或提高锚栓牌号"});
}

std::string channelBootBeamStopRemedy(const Entries& entries, Stop stop) {
  return remedy::stopRemedy(
      entries, stop,
      {"肋板或隔板焊缝长度不足：" + std::string(remedy::untickDetailing) + "，把 a、lt 增大到构造值的 1.5 倍左右",
       std::string(remedy::untickDetailing) + "并加大 a、lt，或使用“自动调整”；仍不能设计时改用T型靴梁柱脚",
       "锚栓直径超过 100 mm：加大 lt 以加长锚栓力臂，或提高锚栓牌号"});
}

}  // namespace

const TypeRemedies<BootBeamHeld> tBootBeamRemedies{tBootBeamWeight, tBootBeamCheckRemedies, tBootBeamStopRemedy};
const TypeRemedies<BootBeamHeld> channelBootBeamRemedies{channelBootBeamWeight, channelBootBeamCheckRemedies, channelBootBeamStopRemedy};

}  // namespace pedivo::bootbeam

#include "design/drawing/base_drawing.h"

#include <cmath>

#include "design/common/numbers.h"
#include "design/drawing/base_types.h"
#include "design/drawing/sketch.h"

namespace pedivo::drawing {

std::string weldText(const std::string& leg) { return "角焊缝 hf=" + leg; }

std::string boltNote(int count, const std::string& diameter, double dms) {
  return "锚栓 " + std::to_string(count) + "-M" + diameter + "，孔径 " + formatGeneral(holeDiameter(dms));
}

std::string distanceText(const DesignFacts& facts, double distance, std::string_view field, std::string_view name) {
  if (std::abs(facts.value(name) - distance) < 1e-9) return facts.shown(field, name);
  return formatGeneral(distance);
}

Drawing drawBase(std::string_view moduleId, const DesignFacts& facts) {
  if (moduleId == "j1") return drawPinnedBase(facts, false);
  if (moduleId == "j2") return drawPinnedBase(facts, true);
  if (moduleId == "g11") return drawRigidPlateBase(facts, 3);
  if (moduleId == "g12") return drawRigidPlateBase(facts, 4);
  if (moduleId == "g2") return drawTBootBeamBase(facts);
  if (moduleId == "g3") return drawChannelBootBeamBase(facts);
  return drawEmbeddedBase(facts);
}

std::variant<Drawing, DrawingRefusal> drawDesign(const DesignSession& session) {
  if (!session.designed()) return DrawingRefusal{notDesignedMessage};
  const DesignFacts facts(session.values(), session.results().fields, session.report());
  Drawing drawing = drawBase(session.module().id, facts);
  // A design that fails a check is drawn as designed, and says so under the plan.
  std::string failed;
  for (const auto& check : session.checks())
    if (!check.ok()) failed += (failed.empty() ? "" : "、") + check.name;
  if (session.status() == DesignStatus::EntriesChanged) {
    const Extent e = drawing.extent();
    Sketch(drawing).label({(e.left + e.right) / 2, e.bottom - 2 * drawing.textHeight},
                          "注：输入已于计算后修改，本图对应上次计算的输入。");
  }
  if (!failed.empty()) {
    const Extent e = drawing.extent();
    Sketch(drawing).label({(e.left + e.right) / 2, e.bottom - 2 * drawing.textHeight},
                          "注：以下验算不满足要求：" + failed + "。本图按计算所得尺寸绘制，仅供复核。");
  }
  return drawing;
}

}  // namespace pedivo::drawing

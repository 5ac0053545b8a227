#include "design/drawing/sheet_contents.h"

#include <cmath>

#include "design/common/calculation.h"
#include "design/common/numbers.h"
#include "design/common/tables.h"
#include "design/drawing/base_views.h"

namespace pedivo::drawing {
namespace {

std::string plateSize(double t, double width, double length) {
  return "-" + formatGeneral(t) + "×" + formatGeneral(width) + "×" + formatGeneral(length);
}

SheetPart plate(std::string name, double t, double width, double length, int count) {
  return {std::move(name), plateSize(t, width, length), count, plateMass(length, width, t)};
}

std::string entry(const Entries& entries, std::string_view name, std::string_view fallback) {
  const auto found = entries.texts.find(name);
  return found == entries.texts.end() || found->second.empty() ? std::string(fallback) : found->second;
}

}  // namespace

std::vector<SheetPart> partsList(std::string_view id, const DesignFacts& f) {
  const auto v = [&f](std::string_view name) { return f.value(name); };
  std::vector<SheetPart> parts;
  if (id == "gc") return parts;  // the column is set into the foundation: no steel of its own
  parts.push_back(plate("底板", v("tpb"), v("B"), v("L"), 1));
  if (id == "j2") parts.push_back(plate("加劲肋", v("tjjl"), v("hjjl"), (v("B") - v("tw")) / 2, 2));
  if (id == "g11" || id == "g12")
    parts.push_back(plate("加劲肋", v("tjjl"), v("hjjl"), (v("L") - v("hb")) / 2, id == "g11" ? 4 : 6));
  if (id == "g2" || id == "g3") parts.push_back(plate("靴梁", v("tsh"), v("hsh"), v("L"), 2));
  if (id == "g2") parts.push_back(plate("锚栓加劲肋", v("tjjl"), v("hjjl"), (v("B") - v("bf") - 2 * v("tsh")) / 2, 8));
  if (id == "g3") {
    // Top plates and ribs from the diaphragm's outer face to the plate end.
    const double beyond = v("L") / 2 - (v("hb") / 2 + v("a") / 3 + v("tcb") / 2);
    parts.push_back(plate("顶板", v("tp"), v("bf"), beyond, 2));
    parts.push_back(plate("隔板", v("tcb"), v("hcb"), v("bf"), 2));
    parts.push_back(plate("肋板", v("tjjl"), v("hjjl"), beyond, 8));
  }
  const ShearKey key = readShearKey(f);
  if (key.designed()) {
    // A rolled section's area without its root fillets, over the grout and the embedment.
    const double area = 2 * key.b * key.tf + (key.h - 2 * key.tf) * key.tw;
    const double length = key.grout + key.embedment;
    parts.push_back({"抗剪键", key.name + " L=" + formatGeneral(length), 1, steelDensity * area * length});
  }
  return parts;
}

std::string electrodeFor(std::string_view grade) {
  if (grade == "Q235") return "E43";
  if (grade == "Q420" || grade == "Q460") return "E55";
  return "E50";
}

BoltRow boltRow(int count, const DesignFacts& f, const Entries& entries) {
  const int dms = static_cast<int>(std::lround(f.value("dms")));
  std::string washer = "—";
  if (const auto w = tables::washerPlate(dms))
    washer = plateSize(w->thickness, w->side, w->side) + "，孔径 " + formatGeneral(w->hole);
  return {"M" + std::to_string(dms), std::to_string(count), entry(entries, "CBfta", "Q235"), "双螺母", washer};
}

std::vector<std::string> generalNotes(const DesignFacts& f, const Entries& entries, bool hasPlate) {
  const std::string steel = entry(entries, "CBf", "Q235");
  std::vector<std::string> notes{
      "钢材：" + steel + "。",
      "焊条：" + electrodeFor(steel) + " 型；角焊缝焊脚尺寸见图。",
  };
  if (hasPlate) {
    notes.push_back("锚栓：" + entry(entries, "CBfta", "Q235") + "，双螺母，垫板待柱校正后与底板焊牢。");
    const double given = f.optionalValue("tg").value_or(0);
    const double grout = given > 0 ? given : usualGroutMm;
    notes.push_back("底板下二次灌浆层厚 " + formatGeneral(grout) + " mm，采用无收缩灌浆料。");
    notes.push_back("锚栓锚固长度按基础设计确定。");
  }
  notes.push_back("尺寸单位：mm。");
  for (std::size_t i = 0; i < notes.size(); ++i) notes[i] = std::to_string(i + 1) + ". " + notes[i];
  return notes;
}

}  // namespace pedivo::drawing

#include "design/drawing/issued_sheet.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "design/common/calculation.h"
#include "design/common/numbers.h"
#include "design/drawing/sheet_contents.h"
#include "design/drawing/sketch.h"

namespace pedivo::drawing {
namespace {

// Paper millimetres: A3 across, bound on the left.
constexpr double paperWidth = 420, paperHeight = 297;
constexpr double bindingEdge = 25, edge = 5;
constexpr double columnWidth = 180;  // title block, tables and notes
constexpr double gap = 5;
constexpr double rowHeight = 7, titleRowHeight = 8;
constexpr double textMm = 3.5, nameMm = 5;
constexpr double scales[] = {5, 10, 20};
// The room the views have, left of the column.
constexpr double viewsLeft = bindingEdge + gap, viewsRight = paperWidth - edge - columnWidth - gap;
constexpr double viewsBottom = edge + gap, viewsTop = paperHeight - edge - gap;

// Writes on the sheet in paper millimetres, `k` model millimetres each.
class Paper {
 public:
  Paper(Drawing& d, double k) : d_(d), k_(k) {}

  void box(double x0, double y0, double x1, double y1, Layer layer) {
    d_.polylines.push_back(
        {{{x0 * k_, y0 * k_}, {x1 * k_, y0 * k_}, {x1 * k_, y1 * k_}, {x0 * k_, y1 * k_}}, true, layer});
  }
  // A text centred in a cell, smaller where the cell is too narrow for it.
  void centred(double x0, double y0, double x1, double y1, const std::string& text, double heightMm = textMm) {
    const double room = 0.8 * (x1 - x0);  // readers set Latin letters wider than the estimate
    const double h = std::min(heightMm, room / std::max(textWidth(text, 1), 1e-9));
    d_.labels.push_back(
        {{(x0 + x1) / 2 * k_, ((y0 + y1) / 2 - h / 2) * k_}, text, h * k_, Anchor::Centre, Layer::Text});
  }
  void left(double x, double y, const std::string& text, double heightMm = textMm) {
    d_.labels.push_back({{x * k_, y * k_}, text, heightMm * k_, Anchor::Left, Layer::Text});
  }
  // One row of a table from x0, its cells of the given widths, its bottom at y.
  void row(double x0, double y, double height, const std::vector<std::pair<double, std::string>>& cells) {
    double x = x0;
    for (const auto& [width, text] : cells) {
      box(x, y, x + width, y + height, Layer::Text);
      if (!text.empty()) centred(x, y, x + width, y + height, text);
      x += width;
    }
  }

 private:
  Drawing& d_;
  double k_;
};

// The title block in the column's foot; returns its top.
double titleBlock(Paper& p, const Project& project, double k, std::string_view version) {
  const double x = paperWidth - edge - columnWidth, h = titleRowHeight;
  const std::string scale = "1:" + formatGeneral(k);
  p.row(x, edge + 4 * h, h, {{25, "工程名称"}, {155, project.name}});
  p.row(x, edge + 3 * h, h, {{25, "图名"}, {65, ""}, {25, "构件编号"}, {65, project.member}});
  p.centred(x + 25, edge + 3 * h, x + 90, edge + 4 * h, sheetName, nameMm);
  p.row(x, edge + 2 * h, h, {{25, "比例"}, {65, scale}, {25, "日期"}, {65, project.date}});
  p.row(x, edge + h, h,
        {{25, "设计"},
         {35, project.designer},
         {25, "校对"},
         {35, project.checker},
         {25, "审核"},
         {35, project.approver}});
  p.row(x, edge, h, {{25, "工程编号"}, {65, project.number}, {90, "Pedivo 软件版本 " + std::string(version)}});
  return edge + 5 * h;
}

// Parts list above `bottom`, with the total that is the design's steel weight; returns its top.
double partsTable(Paper& p, const std::vector<SheetPart>& parts, double bottom) {
  if (parts.empty()) return bottom;
  const double x = paperWidth - edge - columnWidth;
  double y = bottom, total = 0;
  for (const auto& part : parts) total += part.count * part.eachKg;
  p.row(x, y, rowHeight, {{120, "合计"}, {60, formatWeight(total)}});
  for (std::size_t i = parts.size(); i-- > 0;) {
    const SheetPart& part = parts[i];
    y += rowHeight;
    p.row(x, y, rowHeight,
          {{12, std::to_string(i + 1)},
           {30, part.name},
           {63, part.size},
           {15, std::to_string(part.count)},
           {30, formatWeight(part.eachKg)},
           {30, formatWeight(part.count * part.eachKg)}});
  }
  y += rowHeight;
  p.row(x, y, rowHeight, {{12, "编号"}, {30, "名称"}, {63, "规格"}, {15, "数量"}, {30, "单重(kg)"}, {30, "总重(kg)"}});
  y += rowHeight;
  p.left(x, y + 1.5, "材料表");
  return y + rowHeight;
}

double boltTable(Paper& p, const BoltRow& bolts, double bottom) {
  const double x = paperWidth - edge - columnWidth;
  p.row(x, bottom, rowHeight,
        {{25, bolts.size}, {20, bolts.count}, {25, bolts.grade}, {30, bolts.nuts}, {80, bolts.washer}});
  p.row(x, bottom + rowHeight, rowHeight, {{25, "锚栓"}, {20, "数量"}, {25, "钢号"}, {30, "螺母"}, {80, "垫板"}});
  p.left(x, bottom + 2 * rowHeight + 1.5, "锚栓表");
  return bottom + 3 * rowHeight;
}

double notesBlock(Paper& p, const std::vector<std::string>& notes, double bottom) {
  const double x = paperWidth - edge - columnWidth, line = 1.6 * textMm;
  std::vector<std::string> lines;
  for (const auto& note : notes)
    for (auto& piece : noteLines(note, textMm, columnWidth)) lines.push_back(std::move(piece));
  double y = bottom + line * static_cast<double>(lines.size());
  p.left(x, y + 0.5 * line, "说明：");
  for (const auto& text : lines) {
    y -= line;
    p.left(x, y + 0.3 * line, text);
  }
  return bottom + line * static_cast<double>(lines.size() + 1);
}

int boltCount(std::string_view id) {
  if (id == "j1") return 2;
  if (id == "j2" || id == "g3") return 4;
  if (id == "g11") return 8;
  if (id == "g12") return 10;
  if (id == "g2") return 6;
  return 0;
}

// The views at the smallest of the scales at which they fit the room left of the column, side by
// side where they fit so, else the elevations stacked; at 1:20 when nothing fits.
Drawing viewsAtScale(std::string_view id, const DesignFacts& facts, double& k) {
  const double usual = drawBase(id, facts).textHeight;
  Drawing fallback;
  for (const double scale : scales)
    for (const bool stacked : {false, true}) {
      Drawing views = drawBase(id, facts, textMm * scale / usual, stacked);
      const Extent e = views.extent();
      k = scale;
      if (e.width() <= (viewsRight - viewsLeft) * scale && e.height() <= (viewsTop - viewsBottom) * scale) return views;
      if (scale == scales[std::size(scales) - 1] && stacked) fallback = std::move(views);
    }
  return fallback;
}

}  // namespace

void translate(Drawing& d, double dx, double dy) {
  const auto move = [dx, dy](Point& p) { p = {p.x + dx, p.y + dy}; };
  for (auto& l : d.lines) move(l.from), move(l.to);
  for (auto& p : d.polylines)
    for (auto& q : p.points) move(q);
  for (auto& c : d.circles) move(c.centre);
  for (auto& a : d.arcs) move(a.centre);
  for (auto& h : d.hatches)
    for (auto& q : h.boundary) move(q);
  for (auto& m : d.dimensions) {
    move(m.from), move(m.to), move(m.textAt);
    m.line += m.axis == Axis::Horizontal ? dy : dx;
  }
  for (auto& l : d.leaders) move(l.tip), move(l.shoulder);
  for (auto& l : d.labels) move(l.at);
}

std::variant<Drawing, DrawingRefusal> drawIssuedSheet(const DesignSession& session, std::string_view version) {
  if (!session.designed()) return DrawingRefusal{notDesignedMessage};
  const DesignFacts facts(session.values(), session.results().fields, session.report());
  const std::string_view id = session.module().id;
  double k = scales[0];
  Drawing d = viewsAtScale(id, facts, k);
  const Extent e = d.extent();
  translate(d, (viewsLeft + viewsRight) / 2 * k - (e.left + e.right) / 2,
            (viewsBottom + viewsTop) / 2 * k - (e.bottom + e.top) / 2);
  d.scale = k;
  Paper paper(d, k);
  paper.box(0, 0, paperWidth, paperHeight, Layer::Text);
  paper.box(bindingEdge, edge, paperWidth - edge, paperHeight - edge, Layer::Outline);
  double top = titleBlock(paper, session.project(), k, version);
  top = partsTable(paper, partsList(id, facts), top + gap);
  const int bolts = boltCount(id);
  if (bolts > 0) top = boltTable(paper, boltRow(bolts, facts, session.entries()), top + gap);
  std::vector<std::string> notes = generalNotes(facts, session.entries(), bolts > 0);
  for (auto& note : sheetNotes(session)) notes.push_back(std::move(note));
  notesBlock(paper, notes, top + gap);
  return d;
}

}  // namespace pedivo::drawing

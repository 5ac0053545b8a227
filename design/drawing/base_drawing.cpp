#include "design/drawing/base_drawing.h"

#include <algorithm>
#include <cmath>

#include "design/common/numbers.h"
#include "design/drawing/base_types.h"
#include "design/drawing/dimension_texts.h"
#include "design/drawing/printed_sheet.h"
#include "design/drawing/sketch.h"

namespace pedivo::drawing {

std::string weldText(const std::string& leg) { return "角焊缝 hf=" + leg; }

std::string boltNote(int count, const std::string& diameter, double dms) {
  return "锚栓 " + std::to_string(count) + "-M" + diameter + "，孔径 " + formatGeneral(holeDiameter(dms));
}

std::string distanceText(const DesignFacts& facts, double distance, std::string_view field, std::string_view name) {
  // Named after a held value where it is one; a distance no value holds is written as it is.
  const auto held = facts.optionalValue(name);
  if (held && std::abs(*held - distance) < 1e-9) return facts.shown(field, name);
  return formatGeneral(distance);
}

namespace {

Drawing drawType(std::string_view moduleId, const DesignFacts& facts, double textScale, bool stacked) {
  if (moduleId == "j1") return drawPinnedBase(facts, false, textScale);
  if (moduleId == "j2") return drawPinnedBase(facts, true, textScale);
  if (moduleId == "g11") return drawRigidPlateBase(facts, 3, textScale, stacked);
  if (moduleId == "g12") return drawRigidPlateBase(facts, 4, textScale, stacked);
  if (moduleId == "g2") return drawTBootBeamBase(facts, textScale, stacked);
  if (moduleId == "g3") return drawChannelBootBeamBase(facts, textScale, stacked);
  return drawEmbeddedBase(facts, textScale);
}

}  // namespace

Drawing drawBase(std::string_view moduleId, const DesignFacts& facts, double textScale, bool stacked) {
  Drawing drawing = drawType(moduleId, facts, textScale, stacked);
  arrangeDimensionTexts(drawing);
  return drawing;
}

std::vector<std::string> noteLines(const std::string& note, double height, double width) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < note.size();) {
    const auto lead = static_cast<unsigned char>(note[i]);
    const std::size_t length = std::min(note.size() - i, std::size_t(lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4));
    const std::string character = note.substr(i, length);
    if (!lines.back().empty() && textWidth(lines.back() + character, height) > width) lines.emplace_back();
    lines.back() += character;
    i += length;
  }
  return lines;
}

std::vector<std::string> sheetNotes(const DesignSession& session) {
  std::vector<std::string> notes;
  if (session.status() == DesignStatus::EntriesChanged)
    notes.push_back("注：输入已于计算后修改，本图对应上次计算的输入。");
  std::string failed;
  for (const auto& check : session.checks())
    if (!check.ok()) failed += (failed.empty() ? "" : "、") + check.name;
  if (!failed.empty()) notes.push_back("注：以下验算不满足要求：" + failed + "。本图按计算所得尺寸绘制，仅供复核。");
  return notes;
}

namespace {

// The base and its notes under it, each note broken into lines no wider than the base's views,
// so that a long list of failed checks never widens the sheet and shrinks it on the page.
Drawing sheet(const DesignSession& session, const DesignFacts& facts, const std::vector<std::string>& notes,
              double textScale) {
  Drawing drawing = drawBase(session.module().id, facts, textScale, true);
  const Extent views = drawing.extent();
  const double h = drawing.textHeight, centre = (views.left + views.right) / 2;
  for (const std::string& note : notes)
    for (const std::string& line : noteLines(note, h, std::max(views.width(), 20 * h))) {
      const Extent e = drawing.extent();
      Sketch(drawing).label({centre, e.bottom - 2 * h}, line);
    }
  return drawing;
}

// The sheet of the largest text between a scale whose dimension texts stand apart and one whose
// texts overlap, found by halving the interval a few times.
Drawing largestApart(const DesignSession& session, const DesignFacts& facts, const std::vector<std::string>& notes,
                     double apart, double overlapping) {
  constexpr int halvings = 5;
  Drawing best = sheet(session, facts, notes, apart);
  for (int i = 0; i < halvings; ++i) {
    const double middle = (apart + overlapping) / 2;
    Drawing tried = sheet(session, facts, notes, middle);
    if (dimensionTextsOverlap(tried)) {
      overlapping = middle;
    } else {
      apart = middle;
      best = std::move(tried);
    }
  }
  return best;
}

}  // namespace

std::variant<Drawing, DrawingRefusal> drawDesign(const DesignSession& session) {
  if (!session.designed()) return DrawingRefusal{notDesignedMessage};
  const DesignFacts facts(session.values(), session.results().fields, session.report());
  const std::vector<std::string> notes = sheetNotes(session);
  // Larger texts widen the sheet too, so that the printed text grows less than its height: the
  // height is raised a few times, each time by what the last sheet still lacked and a little more.
  // Texts of short dimensions side by side may not stand on each other: where the layout has no
  // room for a larger text, the last sheet whose texts stand apart is kept.
  constexpr int mostRounds = 40;
  constexpr double overshoot = 1.05;
  double scale = 1, good = 1;
  Drawing drawing = sheet(session, facts, notes, scale);
  const bool overlapsAlready = dimensionTextsOverlap(drawing);
  for (int round = 0; round < mostRounds; ++round) {
    const double printed = printedTextHeight(drawing);
    if (printed <= 0 || printed >= smallestPrintedTextMm) break;
    scale *= smallestPrintedTextMm / printed * overshoot;
    Drawing larger = sheet(session, facts, notes, scale);
    if (!overlapsAlready && dimensionTextsOverlap(larger)) return largestApart(session, facts, notes, good, scale);
    drawing = std::move(larger);
    good = scale;
  }
  return drawing;
}

}  // namespace pedivo::drawing

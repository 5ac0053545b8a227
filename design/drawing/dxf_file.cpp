#include "design/drawing/dxf_file.h"

#include <dl_dxf.h>
#include <iconv.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <variant>

#include "design/common/utf8_text.h"
#include "design/drawing/strokes.h"
#include "design/files/replace_file.h"
#include "design/files/software_version.h"

namespace pedivo::drawing {

namespace {

// One character's UTF-8 bytes in GBK, or nothing where GBK has no such character.
class GbkConverter {
 public:
  GbkConverter() : cd_(iconv_open("GBK", "UTF-8")) {}
  ~GbkConverter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  GbkConverter(const GbkConverter&) = delete;
  GbkConverter& operator=(const GbkConverter&) = delete;

  std::optional<std::string> convert(std::string_view character) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string in(character);
    char out[8];
    char* inPointer = in.data();
    char* outPointer = out;
    std::size_t inLeft = in.size(), outLeft = sizeof out;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd_, &inPointer, &inLeft, &outPointer, &outLeft) == static_cast<std::size_t>(-1)) return std::nullopt;
    return std::string(out, outPointer);
  }

 private:
  iconv_t cd_;
};

}  // namespace

std::string dxfText(std::string_view utf8) {
  // One converter a thread, opened once: a drawing writes hundreds of texts.
  static thread_local GbkConverter gbk;
  std::string out;
  out.reserve(utf8.size());
  const auto escape = [&out](char32_t code) {
    char text[12];
    std::snprintf(text, sizeof text, "\\U+%04X", static_cast<unsigned>(code));
    out += text;
  };
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t length = utf8CharacterLength(utf8, i);
    if (length == 0) {  // a stray byte: shown as the replacement character, never passed on raw
      escape(0xFFFD);
      ++i;
      continue;
    }
    const std::string_view character = utf8.substr(i, length);
    i += length;
    if (length == 1 && static_cast<unsigned char>(character[0]) < 0x20) {
      escape(static_cast<unsigned char>(character[0]));  // a raw line break would end the value's line
    } else if (length == 1) {
      out += character;
    } else if (const auto converted = gbk.convert(character)) {
      out += *converted;
    } else {
      // An escape holds 16 bits, and readers do not join a pair of them: a character beyond
      // (an emoji) stays one character, the replacement character.
      const char32_t code = codePointAt(character, 0, length);
      escape(code <= 0xFFFF ? code : 0xFFFD);
    }
  }
  return out;
}

namespace {

// Every text and dimension text is in textStyle; "Standard" is there as well, the style CAD
// programs fall back on. Both name the Chinese drafting standard's shape fonts, a Latin face and
// its big font for the Chinese characters, which CAD programs of Chinese users carry; readers
// without them substitute a font of their own that has the characters. LibreCAD reads no font from
// a style: it draws a text in its stroke font of the style's own name, so the style is named as the
// LibreCAD font Pedivo installs (pedivo.lff, made from Noto Sans CJK SC by tools/lff-font).
constexpr const char* textStyle = "Pedivo";
constexpr const char* fallbackTextStyle = "Standard";
constexpr const char* dimensionStyle = "Standard";
constexpr const char* latinFont = "gbenor.shx";
constexpr const char* bigFont = "gbcbig.shx";
// Dimension texts 2.5 mm high on the plotted sheet, ticks 1.5 mm, as structural drawings have them.
constexpr double dimensionTextMm = 2.5;
constexpr double tickMm = 1.5;

// dxflib's writer, laid out as dxflib lays out a file, into memory: the file's bytes then go
// through the safe writer, which checks every write. (dxflib's own writer streams to a file by
// name and never says whether a write failed.) Numbers are written without the C library's
// locale, so a window's locale never puts a comma in a coordinate.
class DxfBytes final : public DL_WriterA {
 public:
  DxfBytes() : DL_WriterA("", DL_Codes::AC1015) {}
  const std::string& bytes() const { return out_; }
  // The block that the next dimension written draws with: dxflib's dimensions name none, so it is
  // put in where the dimension's own group begins.
  void nextDimensionBlock(std::string name) { dimensionBlock_ = std::move(name); }

  void dxfReal(int gc, double value) const override {
    char text[400];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 16).ptr;
    std::string_view number(text, static_cast<std::size_t>(end - text));
    // Trailing zeros go, one digit after the point stays.
    if (const auto point = number.find('.'); point != std::string_view::npos) {
      const auto last = number.find_last_not_of('0');
      number = number.substr(0, std::max(last + 1, point + 2));
    }
    dxfString(gc, std::string(number));
  }
  void dxfInt(int gc, int value) const override { dxfString(gc, std::to_string(value)); }
  void dxfHex(int gc, int value) const override {
    char text[12];
    std::snprintf(text, sizeof text, "%0X", static_cast<unsigned>(value));
    dxfString(gc, text);
  }
  void dxfString(int gc, const char* value) const override { dxfString(gc, std::string(value)); }
  void dxfString(int gc, const std::string& value) const override {
    if (gc < 10) {
      out_ += "  ";
    } else if (gc < 100) {
      out_ += ' ';
    }
    out_ += std::to_string(gc);
    out_ += '\n';
    out_ += value;
    out_ += '\n';
    if (gc == 100 && value == "AcDbDimension" && !dimensionBlock_.empty()) {
      dxfString(2, dimensionBlock_);
      dimensionBlock_.clear();
    }
  }

 private:
  mutable std::string out_;
  mutable std::string dimensionBlock_;
};

struct LayerLook {
  Layer layer;
  int colour;      // AutoCAD colour index: all print dark enough on white paper
  int lineWeight;  // hundredths of a millimetre
  const char* lineType;
};
constexpr LayerLook looks[] = {
    {Layer::Outline, 7, 50, "CONTINUOUS"},    {Layer::Bolts, 1, 35, "CONTINUOUS"},
    {Layer::Stiffeners, 5, 35, "CONTINUOUS"}, {Layer::Welds, 6, 25, "CONTINUOUS"},
    {Layer::Dimensions, 3, 18, "CONTINUOUS"}, {Layer::Text, 7, 25, "CONTINUOUS"},
    {Layer::Centre, 1, 18, "CENTER"},
};

const char* lineTypeName(LineStyle style) {
  switch (style) {
    case LineStyle::Solid: return "BYLAYER";
    case LineStyle::Hidden: return "HIDDEN";
    case LineStyle::Centre: return "CENTER";
  }
  return "BYLAYER";
}

// What the file is drawn to: the plotting scale (1:scale) and the model's extents.
struct SheetFacts {
  double scale;
  Extent extent;
};

class DxfOut {
 public:
  DxfOut(DL_Dxf& dxf, DxfBytes& w) : dxf_(dxf), w_(w) {}

  void line(Point a, Point b, Layer layer, LineStyle style = LineStyle::Solid) {
    dxf_.writeLine(w_, DL_LineData(a.x, a.y, 0, b.x, b.y, 0), attributes(layer, style));
  }
  void polyline(const Polyline& p) {
    dxf_.writePolyline(w_, DL_PolylineData(static_cast<int>(p.points.size()), 0, 0, p.closed ? 1 : 0),
                       attributes(p.layer, p.style));
    for (const auto& q : p.points) dxf_.writeVertex(w_, DL_VertexData(q.x, q.y, 0, 0));
    dxf_.writePolylineEnd(w_);
  }
  void circle(const Circle& c) {
    dxf_.writeCircle(w_, DL_CircleData(c.centre.x, c.centre.y, 0, c.radius), attributes(c.layer));
  }
  void arc(const Arc& a) {
    dxf_.writeArc(w_, DL_ArcData(a.centre.x, a.centre.y, 0, a.radius, a.startAngle, a.endAngle), attributes(a.layer));
  }
  void hatch(const Hatch& h, double scale) {
    const bool steel = h.pattern == HatchPattern::Steel;
    // Pattern lines a few millimetres apart on the plotted sheet.
    const double patternScale = steel ? scale / 2 : scale / 4;
    DL_HatchData data(1, false, patternScale, 0, steel ? "ANSI31" : "AR-CONC");
    dxf_.writeHatch1(w_, data, attributes(h.layer));
    DL_HatchLoopData loop(static_cast<int>(h.boundary.size()));
    dxf_.writeHatchLoop1(w_, loop);
    for (std::size_t i = 0; i < h.boundary.size(); ++i) {
      const Point& a = h.boundary[i];
      const Point& b = h.boundary[(i + 1) % h.boundary.size()];
      dxf_.writeHatchEdge(w_, DL_HatchEdgeData(a.x, a.y, b.x, b.y));
    }
    dxf_.writeHatchLoop2(w_, loop);
    dxf_.writeHatch2(w_, data, attributes(h.layer));
  }
  void text(const PlacedText& t, Layer layer) {
    const double angle = t.angle * std::numbers::pi / 180;
    // Centred texts are aligned on their middle point (horizontal 1, vertical 2).
    dxf_.writeText(w_,
                   DL_TextData(t.at.x, t.at.y, 0, t.at.x, t.at.y, 0, t.height, 1.0, 0, t.centred ? 1 : 0,
                               t.centred ? 2 : 0, dxfText(t.text), textStyle, angle),
                   attributes(layer));
  }
  // A linear dimension that CAD programs can edit: its definition points, its text (the shown
  // value) and the block `block` that draws it as the other outputs do.
  void dimension(const Dimension& d, const std::string& block, double scale) {
    const bool horizontal = d.axis == Axis::Horizontal;
    const Point onLine = horizontal ? Point{d.to.x, d.line} : Point{d.line, d.to.y};
    constexpr int linear = 0, blockOfItsOwn = 32, middleCentre = 5, atLeast = 1;
    w_.nextDimensionBlock(block);
    DL_DimensionData data(onLine.x, onLine.y, 0, d.textAt.x, d.textAt.y, 0, linear | blockOfItsOwn, middleCentre,
                          atLeast, 1.0, dxfText(d.text), dimensionStyle, 0, 1.0, scale);
    // The library's constructor leaves the arrow flags (group codes 74 and 75) unset, and it
    // writes them: without this the file holds whatever the memory held, different each run.
    data.arrow1Flipped = false;
    data.arrow2Flipped = false;
    dxf_.writeDimLinear(w_, data,
                        DL_DimLinearData(d.from.x, d.from.y, 0, d.to.x, d.to.y, 0, horizontal ? 0.0 : std::numbers::pi / 2, 0),
                        attributes(Layer::Dimensions));
  }

 private:
  static DL_Attributes attributes(Layer layer, LineStyle style = LineStyle::Solid) {
    return DL_Attributes(dxfText(layerName(layer)), 256, -1, lineTypeName(style), 1.0);
  }
  DL_Dxf& dxf_;
  DxfBytes& w_;
};

std::string dimensionBlockName(std::size_t index) { return "*D" + std::to_string(index + 1); }

void writeLineTypes(DL_Dxf& dxf, DL_WriterA& w, double scale) {
  // Dash lengths in millimetres of the plotted sheet, drawn at the sheet's scale.
  double centre[] = {12 * scale, -3 * scale, 2 * scale, -3 * scale};
  double hidden[] = {4 * scale, -2 * scale};
  w.tableLinetypes(5);
  dxf.writeLinetype(w, DL_LinetypeData("BYBLOCK", "BYBLOCK", 0, 0, 0.0));
  dxf.writeLinetype(w, DL_LinetypeData("BYLAYER", "BYLAYER", 0, 0, 0.0));
  dxf.writeLinetype(w, DL_LinetypeData("CONTINUOUS", "Continuous", 0, 0, 0.0));
  dxf.writeLinetype(w, DL_LinetypeData("CENTER", "Center ____ _ ____ _ ____", 0, 4, 20 * scale, centre));
  dxf.writeLinetype(w, DL_LinetypeData("HIDDEN", "Hidden __ __ __ __", 0, 2, 6 * scale, hidden));
  w.tableEnd();
}

// A text style record, written whole: dxflib's own style record keeps a font's name out of the
// record where readers look for it. Returns the record's handle.
unsigned long writeTextStyle(DL_WriterA& w, const char* name) {
  w.dxfString(0, "STYLE");
  const unsigned long handle = w.handle();
  w.dxfString(100, "AcDbSymbolTableRecord");
  w.dxfString(100, "AcDbTextStyleTableRecord");
  w.dxfString(2, name);
  w.dxfInt(70, 0);
  w.dxfReal(40, 0.0);
  w.dxfReal(41, 1.0);
  w.dxfReal(50, 0.0);
  w.dxfInt(71, 0);
  w.dxfReal(42, dimensionTextMm);
  w.dxfString(3, latinFont);
  w.dxfString(4, bigFont);
  return handle;
}

// The text styles; returns the handle of the one the texts use.
unsigned long writeTextStyles(DL_WriterA& w) {
  w.tableStyle(2);
  writeTextStyle(w, fallbackTextStyle);
  const unsigned long handle = writeTextStyle(w, textStyle);
  w.tableEnd();
  return handle;
}

// The dimension style: texts dimensionTextMm high above the line, oblique ticks, all scaled by the
// sheet's scale (DIMSCALE), so that a dimension a drafter adds or edits looks like the others.
void writeDimensionStyle(DL_WriterA& w, double scale, unsigned long textStyleHandle) {
  w.dxfString(0, "TABLE");
  w.dxfString(2, "DIMSTYLE");
  w.handle();
  w.dxfString(100, "AcDbSymbolTable");
  w.dxfInt(70, 1);
  w.dxfString(100, "AcDbDimStyleTable");
  w.dxfInt(71, 0);
  w.dxfString(0, "DIMSTYLE");
  w.handle(105);
  w.dxfString(100, "AcDbSymbolTableRecord");
  w.dxfString(100, "AcDbDimStyleTableRecord");
  w.dxfString(2, dimensionStyle);
  w.dxfInt(70, 0);
  w.dxfReal(40, scale);              // DIMSCALE
  w.dxfReal(41, dimensionTextMm);    // DIMASZ
  w.dxfReal(42, 1.0);                // DIMEXO: extension lines clear of the part
  w.dxfReal(44, 1.5);                // DIMEXE: and past the dimension line
  w.dxfReal(140, dimensionTextMm);   // DIMTXT
  w.dxfReal(142, tickMm);            // DIMTSZ: ticks, not arrows
  w.dxfReal(147, 0.8);               // DIMGAP
  w.dxfInt(77, 1);                   // DIMTAD: text above the line
  w.dxfInt(73, 0);                   // DIMTIH, DIMTOH: text along the line
  w.dxfInt(74, 0);
  w.dxfInt(271, 0);                  // DIMDEC
  w.dxfInt(278, 46);                 // DIMDSEP: a point
  w.dxfHex(340, textStyleHandle);    // DIMTXSTY
  w.tableEnd();
}

void writeTables(DL_Dxf& dxf, DL_WriterA& w, const Drawing& d, double scale) {
  w.sectionTables();
  dxf.writeVPort(w);
  writeLineTypes(dxf, w, scale);
  w.tableLayers(static_cast<int>(std::size(looks)) + 1);
  dxf.writeLayer(w, DL_LayerData("0", 0), DL_Attributes("", 7, 25, "CONTINUOUS", 1.0));
  for (const auto& look : looks)
    dxf.writeLayer(w, DL_LayerData(dxfText(layerName(look.layer)), 0),
                   DL_Attributes("", look.colour, look.lineWeight, look.lineType, 1.0));
  w.tableEnd();
  const unsigned long textStyleHandle = writeTextStyles(w);
  dxf.writeView(w);
  dxf.writeUcs(w);
  w.tableAppid(1);
  dxf.writeAppid(w, "ACAD");
  w.tableEnd();
  writeDimensionStyle(w, scale, textStyleHandle);
  dxf.writeBlockRecord(w);
  for (std::size_t i = 0; i < d.dimensions.size(); ++i) dxf.writeBlockRecord(w, dimensionBlockName(i));
  w.tableEnd();
  w.sectionEnd();
}

// Each dimension's block: its strokes and its text as the window and the pictures draw them.
void writeBlocks(DL_Dxf& dxf, DxfBytes& w, const Drawing& d, double scale) {
  w.sectionBlocks();
  for (const char* name : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
    dxf.writeBlock(w, DL_BlockData(name, 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(w, name);
  }
  DxfOut out(dxf, w);
  const double h = d.textHeight, textHeight = dimensionTextMm * scale;
  for (std::size_t i = 0; i < d.dimensions.size(); ++i) {
    const std::string name = dimensionBlockName(i);
    dxf.writeBlock(w, DL_BlockData(name, 1, 0.0, 0.0, 0.0));
    for (const auto& s : dimensionStrokes(d.dimensions[i], h)) out.line(s.from, s.to, Layer::Dimensions);
    PlacedText text = dimensionText(d.dimensions[i], h);
    text.height = textHeight;
    out.text(text, Layer::Dimensions);
    dxf.writeEndBlock(w, name);
  }
  w.sectionEnd();
}

// The program and version that drew the sheet, small below its bottom left corner.
PlacedText versionText(const Drawing& d) {
  const Extent extent = d.extent();
  const double small = 0.6 * d.textHeight;
  return {{extent.left, extent.bottom - 2 * small}, "Pedivo 软件版本 " + std::string(softwareVersion()), small, 0,
          false};
}

void writeEntities(DL_Dxf& dxf, DxfBytes& w, const Drawing& d, double scale) {
  w.sectionEntities();
  DxfOut out(dxf, w);
  const double h = d.textHeight;
  // Concrete is left unhatched: readers without the named pattern (LibreOffice) fill a hatch solid,
  // which would hide the shear key and the grout. The steel sections' solid fill there is the usual
  // way to show a thin cut section.
  for (const auto& hatch : d.hatches)
    if (hatch.pattern == HatchPattern::Steel) out.hatch(hatch, scale);
  for (const auto& polyline : d.polylines) out.polyline(polyline);
  for (const auto& line : d.lines) out.line(line.from, line.to, line.layer, line.style);
  for (const auto& circle : d.circles) out.circle(circle);
  for (const auto& arc : d.arcs) out.arc(arc);
  for (std::size_t i = 0; i < d.dimensions.size(); ++i) out.dimension(d.dimensions[i], dimensionBlockName(i), scale);
  for (const auto& leader : d.leaders) {
    for (const auto& s : leaderStrokes(leader, h)) out.line(s.from, s.to, leader.layer);
    out.text(leaderText(leader, h), leader.layer);
  }
  for (const auto& label : d.labels) out.text(labelText(label), label.layer);
  // A sheet to scale names the version in its title block.
  if (d.scale <= 0) out.text(versionText(d), Layer::Text);
  w.sectionEnd();
}

void writePoint(DL_WriterA& w, const char* name, Point p) {
  w.dxfString(9, name);
  w.dxfReal(10, p.x);
  w.dxfReal(20, p.y);
  w.dxfReal(30, 0.0);
}

void writeHeaderVariables(DL_WriterA& w, const SheetFacts& sheet) {
  w.dxfString(9, "$INSUNITS");
  w.dxfInt(70, 4);  // millimetres
  w.dxfString(9, "$MEASUREMENT");
  w.dxfInt(70, 1);  // metric
  w.dxfString(9, "$DWGCODEPAGE");
  w.dxfString(3, "ANSI_936");
  // Readers fit their first view and their pages to these.
  writePoint(w, "$EXTMIN", {sheet.extent.left, sheet.extent.bottom});
  writePoint(w, "$EXTMAX", {sheet.extent.right, sheet.extent.top});
  // Line type dashes are drawn at the sheet's scale already.
  w.dxfString(9, "$LTSCALE");
  w.dxfReal(40, 1.0);
  w.dxfString(9, "$TEXTSTYLE");
  w.dxfString(7, textStyle);
  // LibreCAD takes the dimension texts' font from here, not from the dimension style.
  w.dxfString(9, "$DIMTXSTY");
  w.dxfString(7, textStyle);
  w.dxfString(9, "$DIMSTYLE");
  w.dxfString(2, dimensionStyle);
  w.dxfString(9, "$DIMSCALE");
  w.dxfReal(40, sheet.scale);
  w.dxfString(9, "$DIMTXT");
  w.dxfReal(40, dimensionTextMm);
  w.dxfString(9, "$DIMTSZ");
  w.dxfReal(40, tickMm);
}

}  // namespace

double plottingScale(const Drawing& drawing) {
  if (drawing.scale > 0) return drawing.scale;
  // A sheet drawn without a scale plots its texts 3.5 mm high.
  return drawing.textHeight > 0 ? drawing.textHeight / 3.5 : 1;
}

std::optional<std::string> writeDxf(const Drawing& drawing, const std::filesystem::path& path) {
  const auto failed = [&](const std::string& reason) { return "无法写入DXF文件“" + path.string() + "”：" + reason; };
  auto begun = FileReplacement::begin(path);
  if (const auto* problem = std::get_if<FileProblem>(&begun)) return failed(problem->reason);
  FileReplacement& replacement = std::get<FileReplacement>(begun);
  Extent extent = drawing.extent();
  if (drawing.scale <= 0) extent.bottom = std::min(extent.bottom, versionText(drawing).at.y);
  const SheetFacts sheet{plottingScale(drawing), extent};
  DL_Dxf dxf;
  DxfBytes w;
  dxf.writeHeader(w);
  writeHeaderVariables(w, sheet);
  w.sectionEnd();
  writeTables(dxf, w, drawing, sheet.scale);
  writeBlocks(dxf, w, drawing, sheet.scale);
  writeEntities(dxf, w, drawing, sheet.scale);
  dxf.writeObjects(w);
  dxf.writeObjectsEnd(w);
  w.dxfEOF();
  replacement.write(w.bytes());
  if (const auto failure = replacement.commit()) return failed(*failure);
  return std::nullopt;
}

}  // namespace pedivo::drawing

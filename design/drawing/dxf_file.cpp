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

constexpr const char* textStyle = "Standard";

// dxflib's writer, laid out as dxflib lays out a file, into memory: the file's bytes then go
// through the safe writer, which checks every write. (dxflib's own writer streams to a file by
// name and never says whether a write failed.) Numbers are written without the C library's
// locale, so a window's locale never puts a comma in a coordinate.
class DxfBytes final : public DL_WriterA {
 public:
  DxfBytes() : DL_WriterA("", DL_Codes::AC1015) {}
  const std::string& bytes() const { return out_; }

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
  }

 private:
  mutable std::string out_;
};

struct LayerLook {
  Layer layer;
  int colour;      // AutoCAD colour index
  int lineWeight;  // hundredths of a millimetre
};
constexpr LayerLook looks[] = {
    {Layer::Outline, 7, 50}, {Layer::Bolts, 1, 35},      {Layer::Stiffeners, 4, 35},
    {Layer::Welds, 6, 25},   {Layer::Dimensions, 3, 18}, {Layer::Text, 2, 25},
};

class DxfOut {
 public:
  DxfOut(DL_Dxf& dxf, DL_WriterA& w) : dxf_(dxf), w_(w) {}

  void line(Point a, Point b, Layer layer) {
    dxf_.writeLine(w_, DL_LineData(a.x, a.y, 0, b.x, b.y, 0), attributes(layer));
  }
  void polyline(const Polyline& p) {
    dxf_.writePolyline(w_, DL_PolylineData(static_cast<int>(p.points.size()), 0, 0, p.closed ? 1 : 0),
                       attributes(p.layer));
    for (const auto& q : p.points) dxf_.writeVertex(w_, DL_VertexData(q.x, q.y, 0, 0));
    dxf_.writePolylineEnd(w_);
  }
  void circle(const Circle& c) {
    dxf_.writeCircle(w_, DL_CircleData(c.centre.x, c.centre.y, 0, c.radius), attributes(c.layer));
  }
  void arc(const Arc& a) {
    dxf_.writeArc(w_, DL_ArcData(a.centre.x, a.centre.y, 0, a.radius, a.startAngle, a.endAngle), attributes(a.layer));
  }
  void hatch(const Hatch& h, double textHeight) {
    const bool steel = h.pattern == HatchPattern::Steel;
    // Pattern lines a few millimetres apart on paper at the sheet's usual plotting scale.
    const double scale = steel ? textHeight / 5 : textHeight / 10;
    DL_HatchData data(1, false, scale, 0, steel ? "ANSI31" : "AR-CONC");
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

 private:
  static DL_Attributes attributes(Layer layer) {
    return DL_Attributes(dxfText(layerName(layer)), 256, -1, "BYLAYER", 1.0);
  }
  DL_Dxf& dxf_;
  DL_WriterA& w_;
};

void writeTables(DL_Dxf& dxf, DL_WriterA& w) {
  w.sectionTables();
  dxf.writeVPort(w);
  w.tableLinetypes(3);
  dxf.writeLinetype(w, DL_LinetypeData("BYBLOCK", "BYBLOCK", 0, 0, 0.0));
  dxf.writeLinetype(w, DL_LinetypeData("BYLAYER", "BYLAYER", 0, 0, 0.0));
  dxf.writeLinetype(w, DL_LinetypeData("CONTINUOUS", "Continuous", 0, 0, 0.0));
  w.tableEnd();
  w.tableLayers(static_cast<int>(std::size(looks)) + 1);
  dxf.writeLayer(w, DL_LayerData("0", 0), DL_Attributes("", 7, 25, "CONTINUOUS", 1.0));
  for (const auto& look : looks)
    dxf.writeLayer(w, DL_LayerData(dxfText(layerName(look.layer)), 0),
                   DL_Attributes("", look.colour, look.lineWeight, "CONTINUOUS", 1.0));
  w.tableEnd();
  // A TrueType Song face: Chinese Windows has it, and readers without it substitute a CJK font.
  w.tableStyle(1);
  dxf.writeStyle(w, DL_StyleData(textStyle, 0, 0.0, 1.0, 0.0, 0, 2.5, "simsun.ttc", ""));
  w.tableEnd();
  dxf.writeView(w);
  dxf.writeUcs(w);
  w.tableAppid(1);
  dxf.writeAppid(w, "ACAD");
  w.tableEnd();
  dxf.writeDimStyle(w, 2.5, 1.25, 0.625, 0.625, 2.5);
  dxf.writeBlockRecord(w);
  w.tableEnd();
  w.sectionEnd();
}

void writeBlocks(DL_Dxf& dxf, DL_WriterA& w) {
  w.sectionBlocks();
  for (const char* name : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
    dxf.writeBlock(w, DL_BlockData(name, 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(w, name);
  }
  w.sectionEnd();
}

void writeEntities(DL_Dxf& dxf, DL_WriterA& w, const Drawing& d) {
  w.sectionEntities();
  DxfOut out(dxf, w);
  const double h = d.textHeight;
  for (const auto& hatch : d.hatches) out.hatch(hatch, h);
  for (const auto& polyline : d.polylines) out.polyline(polyline);
  for (const auto& line : d.lines) out.line(line.from, line.to, line.layer);
  for (const auto& circle : d.circles) out.circle(circle);
  for (const auto& arc : d.arcs) out.arc(arc);
  for (const auto& dim : d.dimensions) {
    for (const auto& s : dimensionStrokes(dim, h)) out.line(s.from, s.to, Layer::Dimensions);
    out.text(dimensionText(dim, h), Layer::Dimensions);
  }
  for (const auto& leader : d.leaders) {
    for (const auto& s : leaderStrokes(leader, h)) out.line(s.from, s.to, leader.layer);
    out.text(leaderText(leader, h), leader.layer);
  }
  for (const auto& label : d.labels) out.text(labelText(label), label.layer);
  // The sheet has no title block yet: the program and version that drew it stand small below the
  // bottom left corner, where a drafter looks for a sheet's origin.
  const Extent extent = d.extent();
  const double small = 0.6 * h;
  out.text(PlacedText{{extent.left, extent.bottom - 2 * small}, "Pedivo 软件版本 " + std::string(softwareVersion()),
                      small, 0, false},
           Layer::Text);
  w.sectionEnd();
}

}  // namespace

std::optional<std::string> writeDxf(const Drawing& drawing, const std::filesystem::path& path) {
  const auto failed = [&](const std::string& reason) { return "无法写入DXF文件“" + path.string() + "”：" + reason; };
  auto begun = FileReplacement::begin(path);
  if (const auto* problem = std::get_if<FileProblem>(&begun)) return failed(problem->reason);
  FileReplacement& replacement = std::get<FileReplacement>(begun);
  DL_Dxf dxf;
  DxfBytes w;
  dxf.writeHeader(w);
  w.dxfString(9, "$INSUNITS");
  w.dxfInt(70, 4);  // millimetres
  w.dxfString(9, "$MEASUREMENT");
  w.dxfInt(70, 1);  // metric
  w.dxfString(9, "$DWGCODEPAGE");
  w.dxfString(3, "ANSI_936");
  w.sectionEnd();
  writeTables(dxf, w);
  writeBlocks(dxf, w);
  writeEntities(dxf, w, drawing);
  dxf.writeObjects(w);
  dxf.writeObjectsEnd(w);
  w.dxfEOF();
  replacement.write(w.bytes());
  if (const auto failure = replacement.commit()) return failed(*failure);
  return std::nullopt;
}

}  // namespace pedivo::drawing

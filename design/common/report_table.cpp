#include "design/common/report_table.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "design/common/run_properties.h"

namespace pedivo {
namespace {

constexpr std::string_view failedWord = "不满足";
// A table outside the body spans its container: a width in fiftieths of a per cent.
constexpr int wholeWidthPct = 5000;
// Columns narrower than this many half-width characters would break a header such as "N (kN)" in
// bold, wider ones give a long name more room than the numbers beside it: the shares stay within
// these, after the longest text of the column and room for the cell's margins.
constexpr double narrowestColumn = 10;
constexpr double widestColumn = 28;
constexpr double cellRoom = 3;

// The width of the text area of the section a body element stands in, twentieths of a point; 0
// where it is not in the body or the document does not say.
int sectionTextWidth(pugi::xml_node element) {
  if (std::string_view(element.parent().name()) != "w:body") return 0;
  pugi::xml_node section;
  for (pugi::xml_node next = element; next && !section; next = next.next_sibling())
    section = next.child("w:pPr").child("w:sectPr");
  if (!section) section = element.parent().child("w:sectPr");
  const auto twips = [&](const char* child, const char* attribute) {
    return section.child(child).attribute(attribute).as_int(0);
  };
  const int width = twips("w:pgSz", "w:w") - twips("w:pgMar", "w:left") - twips("w:pgMar", "w:right") -
                    twips("w:pgMar", "w:gutter");
  return width > 0 ? width : 0;
}

// Half-width characters a text takes: a Chinese character counts two.
double displayWidth(std::string_view text) {
  double width = 0;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80 || (byte >= 0xC0 && byte < 0xE0)) width += 1;  // ASCII, or "·" and its kind
    else if (byte >= 0xE0) width += 2;  // the lead byte of a character of three or four bytes
  }
  return width;
}

// Each column's share of `total`, after the longest text in it within the narrowest and widest
// shares; the shares add up to `total`.
std::vector<int> columnWidths(const std::vector<std::vector<std::string>>& rows, std::size_t columns, int total) {
  std::vector<double> wanted(columns, narrowestColumn);
  for (const auto& row : rows)
    for (std::size_t c = 0; c < row.size() && c < columns; ++c)
      wanted[c] = std::clamp(displayWidth(row[c]) + cellRoom, wanted[c], widestColumn);
  double sum = 0;
  for (const double w : wanted) sum += w;
  std::vector<int> widths(columns);
  int given = 0;
  for (std::size_t c = 0; c < columns; ++c) given += widths[c] = static_cast<int>(total * wanted[c] / sum);
  widths.front() += total - given;
  return widths;
}

void addAttributes(pugi::xml_node node, std::initializer_list<std::pair<const char*, const char*>> attributes) {
  for (const auto& [name, value] : attributes) node.append_attribute(name).set_value(value);
}

pugi::xml_node addChild(pugi::xml_node parent, const char* name,
                        std::initializer_list<std::pair<const char*, const char*>> attributes = {}) {
  pugi::xml_node node = parent.append_child(name);
  addAttributes(node, attributes);
  return node;
}

// A run of text with the properties of `model`.
void addRun(pugi::xml_node paragraph, pugi::xml_node model, const std::string& text) {
  pugi::xml_node run = paragraph.append_child("w:r");
  if (const pugi::xml_node properties = model.child("w:rPr")) run.append_copy(properties);
  pugi::xml_node t = addChild(run, "w:t", {{"xml:space", "preserve"}});
  t.text().set(text.c_str());
}

// A paragraph of the block, made after the tag's paragraph: its properties, less any section it
// closes; one before the table keeps with it on its page.
pugi::xml_node blockParagraph(pugi::xml_node paragraph, pugi::xml_node run, const std::string& text, bool keepNext) {
  pugi::xml_node p = paragraph.parent().insert_child_after("w:p", paragraph);
  pugi::xml_node properties = paragraph.child("w:pPr") ? p.append_copy(paragraph.child("w:pPr")) : p.append_child("w:pPr");
  properties.remove_child("w:sectPr");
  if (keepNext && !properties.child("w:keepNext")) {
    const pugi::xml_node style = properties.child("w:pStyle");
    style ? properties.insert_child_after("w:keepNext", style) : properties.prepend_child("w:keepNext");
  }
  if (!text.empty()) addRun(p, run, text);
  return p;
}

void addTableProperties(pugi::xml_node table, int width, bool pct) {
  pugi::xml_node properties = table.append_child("w:tblPr");
  const std::string w = std::to_string(width);
  addChild(properties, "w:tblW", {{"w:w", w.c_str()}, {"w:type", pct ? "pct" : "dxa"}});
  addChild(properties, "w:jc", {{"w:val", "center"}});
  pugi::xml_node borders = properties.append_child("w:tblBorders");
  for (const char* side : {"w:top", "w:left", "w:bottom", "w:right", "w:insideH", "w:insideV"})
    addChild(borders, side, {{"w:val", "single"}, {"w:sz", "4"}, {"w:space", "0"}, {"w:color", "auto"}});
  addChild(properties, "w:tblLayout", {{"w:type", "fixed"}});
  pugi::xml_node margins = properties.append_child("w:tblCellMar");
  addChild(margins, "w:left", {{"w:w", "80"}, {"w:type", "dxa"}});
  addChild(margins, "w:right", {{"w:w", "80"}, {"w:type", "dxa"}});
  addChild(properties, "w:tblLook", {{"w:val", "04A0"}, {"w:firstRow", "1"}});
}

void addCell(pugi::xml_node row, pugi::xml_node run, const std::string& text, int width, bool pct, bool header) {
  pugi::xml_node cell = row.append_child("w:tc");
  pugi::xml_node properties = cell.append_child("w:tcPr");
  const std::string w = std::to_string(width);
  addChild(properties, "w:tcW", {{"w:w", w.c_str()}, {"w:type", pct ? "pct" : "dxa"}});
  if (header) addChild(properties, "w:shd", {{"w:val", "clear"}, {"w:color", "auto"}, {"w:fill", "E7E6E6"}});
  addChild(properties, "w:vAlign", {{"w:val", "center"}});
  pugi::xml_node p = cell.append_child("w:p");
  pugi::xml_node paragraphProperties = p.append_child("w:pPr");
  addChild(paragraphProperties, "w:spacing",
           {{"w:before", "40"}, {"w:after", "40"}, {"w:line", "240"}, {"w:lineRule", "auto"}});
  addChild(paragraphProperties, "w:jc", {{"w:val", "center"}});
  if (text.empty()) return;
  addRun(p, run, text);
  if (text.find(failedWord) != std::string::npos) makeRedBold(p.last_child());
  else if (header) makeBold(p.last_child());
}

// The rows as a table beside `paragraph`, as wide as the text area (or its container).
pugi::xml_node blockTable(pugi::xml_node paragraph, pugi::xml_node run, const std::vector<std::vector<std::string>>& rows) {
  std::size_t columns = 0;
  for (const auto& row : rows) columns = std::max(columns, row.size());
  const int textWidth = sectionTextWidth(paragraph);
  const bool pct = textWidth == 0;
  const int total = pct ? wholeWidthPct : textWidth;
  const std::vector<int> widths = columnWidths(rows, columns, total);
  pugi::xml_node table = paragraph.parent().insert_child_after("w:tbl", paragraph);
  addTableProperties(table, total, pct);
  pugi::xml_node grid = table.append_child("w:tblGrid");
  // The grid is in twentieths of a point whatever the table's width is given in.
  const std::vector<int> gridWidths = pct ? columnWidths(rows, columns, 9000) : widths;
  for (const int w : gridWidths) addChild(grid, "w:gridCol", {{"w:w", std::to_string(w).c_str()}});
  for (std::size_t r = 0; r < rows.size(); ++r) {
    pugi::xml_node row = table.append_child("w:tr");
    // A row never breaks across pages; the header row repeats at the top of each page.
    pugi::xml_node rowProperties = row.append_child("w:trPr");
    rowProperties.append_child("w:cantSplit");
    if (r == 0) rowProperties.append_child("w:tblHeader");
    for (std::size_t c = 0; c < columns; ++c)
      addCell(row, run, c < rows[r].size() ? rows[r][c] : std::string(), widths[c], pct, r == 0);
  }
  return table;
}

}  // namespace

bool holdsTables(pugi::xml_node container) {
  static constexpr std::array<std::string_view, 9> holders = {"w:body",     "w:tc",      "w:hdr",
                                                              "w:ftr",      "w:footnote", "w:endnote",
                                                              "w:txbxContent", "w:comment", "w:sdtContent"};
  return std::find(holders.begin(), holders.end(), std::string_view(container.name())) != holders.end();
}

pugi::xml_node insertTextBlock(pugi::xml_node paragraph, pugi::xml_node after, pugi::xml_node run,
                               const TextBlock& block) {
  pugi::xml_node container = paragraph.parent();
  // Each part is made after the paragraph, then moved to its place in the block's order.
  pugi::xml_node last = after;
  const auto place = [&](pugi::xml_node part) {
    last = last ? container.insert_move_after(part, last) : container.prepend_move(part);
  };
  for (const auto& text : block.before) place(blockParagraph(paragraph, run, text, !block.rows.empty()));
  if (!block.rows.empty()) place(blockTable(paragraph, run, block.rows));
  for (const auto& text : block.after) place(blockParagraph(paragraph, run, text, false));
  // A cell, a note or a text box ends with a paragraph, never with a table.
  pugi::xml_node next = last.next_sibling();
  while (next && next.type() != pugi::node_element) next = next.next_sibling();
  if (!next && std::string_view(last.name()) == "w:tbl") last = container.insert_child_after("w:p", last);
  return last;
}

}  // namespace pedivo

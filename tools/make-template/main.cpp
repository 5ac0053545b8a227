// pedivo-make-template SOURCE.txt OUTPUT.docx
//
// Builds a report template from a readable text source, so that the report texts stay
// reviewable in the repository. One element a line:
//   = text          the report title
//   # text          a section heading
//   > text          a formula or worked line, indented
//   | a | b | c |   a table row; consecutive rows form a table, the first row is its header;
//                   rows of dashes only are skipped
//   header: text    the page header
//   note: text      a small note paragraph
//   banner: text    a warning paragraph in red bold (where the design stands)
//   project:        the project block: 工程名称, 工程编号, 构件编号, 设计, 校对, 审核, 日期 with
//                   their tags <#project.name> …, captions shaded, the values left blank to fill
//   summary: a b c  the summary table of the design checks with the ids a, b, c: a row each of
//                   <#a.name>, <#a.demand>, <#a.limit>, <#a.ratio>, <#a.result>
//   anything else   a body paragraph; blank lines are skipped
// Tags such as <#hb> are written as they stand. Further arguments NAME=VALUE replace every
// {{NAME}} of the source, so that two reports that differ in a few words share one source.

#include <zip.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string escape(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  const auto last = s.find_last_not_of(" \t\r");
  return s.substr(first, last - first + 1);
}

bool startsWith(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }

std::string run(const std::string& text, const std::string& properties = {}) {
  return "<w:r>" + (properties.empty() ? "" : "<w:rPr>" + properties + "</w:rPr>") +
         "<w:t xml:space=\"preserve\">" + escape(text) + "</w:t></w:r>";
}

std::string paragraph(const std::string& style, const std::string& text) {
  return "<w:p><w:pPr><w:pStyle w:val=\"" + style + "\"/></w:pPr>" + run(text) + "</w:p>";
}

std::vector<std::string> cells(const std::string& row) {
  std::vector<std::string> out;
  std::string inner = trim(row);
  if (!inner.empty() && inner.front() == '|') inner.erase(0, 1);
  if (!inner.empty() && inner.back() == '|') inner.pop_back();
  std::stringstream stream(inner);
  std::string cell;
  while (std::getline(stream, cell, '|')) out.push_back(trim(cell));
  return out;
}

bool isRule(const std::vector<std::string>& row) {
  for (const auto& cell : row)
    if (cell.find_first_not_of("-: ") != std::string::npos) return false;
  return true;
}

// The text width of the page: A4 less both margins, in twentieths of a point.
constexpr int textWidth = 11906 - 2 * 1304;

// A table of fixed column widths that add up to no more than the text width, so that no cell's
// text pushes the table past the margin. `widths` gives them; without it an item, value, unit
// table gives the item's caption the room (so that it stays on one line), and any other shares
// the width evenly.
std::string table(const std::vector<std::vector<std::string>>& rows, const std::vector<int>& widths = {}) {
  std::size_t columns = 0;
  for (const auto& row : rows) columns = std::max(columns, row.size());
  const auto width = [&](std::size_t c) {
    if (widths.size() == columns) return widths[c];
    if (columns == 3) return c == 0 ? 5200 : c == 1 ? 2300 : 1500;
    // The plate panels: the name, then six short numbers and a coefficient "α1 = 0.039".
    if (columns == 7) return std::array{1900, 1100, 1050, 1050, 900, 1500, 1500}[c];
    return static_cast<int>(9000 / std::max<std::size_t>(columns, 1));
  };
  int total = 0;
  for (std::size_t c = 0; c < columns; ++c) total += width(c);
  std::string xml = "<w:tbl><w:tblPr><w:tblStyle w:val=\"ReportTable\"/><w:tblW w:w=\"" +
                    std::to_string(std::min(total, textWidth)) +
                    "\" w:type=\"dxa\"/><w:jc w:val=\"center\"/><w:tblLayout w:type=\"fixed\"/>"
                    "<w:tblLook w:val=\"04A0\" w:firstRow=\"1\"/></w:tblPr><w:tblGrid>";
  for (std::size_t c = 0; c < columns; ++c) xml += "<w:gridCol w:w=\"" + std::to_string(width(c)) + "\"/>";
  xml += "</w:tblGrid>";
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const bool header = r == 0;
    // A row never breaks across pages; the header row repeats at the top of each page.
    xml += header ? "<w:tr><w:trPr><w:cantSplit/><w:tblHeader/></w:trPr>" : "<w:tr><w:trPr><w:cantSplit/></w:trPr>";
    for (std::size_t c = 0; c < columns; ++c) {
      const std::string text = c < rows[r].size() ? rows[r][c] : "";
      xml += "<w:tc><w:tcPr><w:tcW w:w=\"" + std::to_string(width(c)) + "\" w:type=\"dxa\"/>" +
             (header ? "<w:shd w:val=\"clear\" w:color=\"auto\" w:fill=\"E7E6E6\"/>" : "") +
             "<w:vAlign w:val=\"center\"/></w:tcPr><w:p><w:pPr><w:pStyle w:val=\"TableText\"/></w:pPr>" +
             run(text, header ? "<w:b/>" : "") + "</w:p></w:tc>";
    }
    xml += "</w:tr>";
  }
  return xml + "</w:tbl>";
}

const char* namespaces =
    "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";

std::string documentXml(const std::string& body) {
  return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<w:document ") + namespaces +
         "><w:body>" + body +
         "<w:sectPr><w:headerReference w:type=\"default\" r:id=\"rIdHeader\"/>"
         "<w:footerReference w:type=\"default\" r:id=\"rIdFooter\"/>"
         "<w:pgSz w:w=\"11906\" w:h=\"16838\"/>"
         "<w:pgMar w:top=\"1440\" w:right=\"1304\" w:bottom=\"1440\" w:left=\"1304\" w:header=\"851\" "
         "w:footer=\"851\" w:gutter=\"0\"/></w:sectPr></w:body></w:document>";
}

// The page header: the report's name, and after it in red bold "<#pageState>", where the design
// stands on every page while it is not a completed design of its entries (empty otherwise).
std::string headerXml(const std::string& text) {
  return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<w:hdr ") + namespaces + ">" +
         "<w:p><w:pPr><w:pStyle w:val=\"Header\"/></w:pPr>" + run(text) +
         run("<#pageState>", "<w:b/><w:color w:val=\"FF0000\"/>") + "</w:p></w:hdr>";
}

std::string footerXml() {
  const auto field = [](const char* instruction) {
    return std::string("<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r><w:r><w:instrText xml:space=\"preserve\"> ") +
           instruction +
           " </w:instrText></w:r><w:r><w:fldChar w:fldCharType=\"separate\"/></w:r><w:r><w:t>1</w:t></w:r>"
           "<w:r><w:fldChar w:fldCharType=\"end\"/></w:r>";
  };
  return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<w:ftr ") + namespaces +
         "><w:p><w:pPr><w:pStyle w:val=\"Footer\"/></w:pPr>" + run("第 ") + field("PAGE") + run(" 页  共 ") +
         field("NUMPAGES") + run(" 页") + "</w:p></w:ftr>";
}

// Chinese text in 宋体 (with its usual substitutes), Latin letters and numbers in Times New Roman.
const char* stylesXml = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<w:styles xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">
<w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:ascii="Times New Roman" w:eastAsia="宋体" w:hAnsi="Times New Roman" w:cs="Times New Roman"/><w:sz w:val="21"/><w:szCs w:val="21"/><w:lang w:val="en-US" w:eastAsia="zh-CN"/></w:rPr></w:rPrDefault>
<w:pPrDefault><w:pPr><w:spacing w:after="60" w:line="320" w:lineRule="auto"/></w:pPr></w:pPrDefault></w:docDefaults>
<w:style w:type="paragraph" w:default="1" w:styleId="Normal"><w:name w:val="Normal"/><w:qFormat/></w:style>
<w:style w:type="paragraph" w:styleId="Title"><w:name w:val="Title"/><w:basedOn w:val="Normal"/><w:qFormat/><w:pPr><w:jc w:val="center"/><w:spacing w:before="120" w:after="360"/></w:pPr><w:rPr><w:rFonts w:eastAsia="黑体"/><w:b/><w:sz w:val="36"/><w:szCs w:val="36"/></w:rPr></w:style>
<w:style w:type="paragraph" w:styleId="Heading1"><w:name w:val="heading 1"/><w:basedOn w:val="Normal"/><w:next w:val="Normal"/><w:qFormat/><w:pPr><w:keepNext/><w:spacing w:before="240" w:after="120"/><w:outlineLvl w:val="0"/></w:pPr><w:rPr><w:rFonts w:eastAsia="黑体"/><w:b/><w:sz w:val="24"/><w:szCs w:val="24"/></w:rPr></w:style>
<w:style w:type="paragraph" w:styleId="Formula"><w:name w:val="Formula"/><w:basedOn w:val="Normal"/><w:qFormat/><w:pPr><w:ind w:left="480"/></w:pPr></w:style>
<w:style w:type="paragraph" w:styleId="Note"><w:name w:val="Note"/><w:basedOn w:val="Normal"/><w:pPr><w:spacing w:before="120"/></w:pPr><w:rPr><w:sz w:val="18"/><w:szCs w:val="18"/></w:rPr></w:style>
<w:style w:type="paragraph" w:styleId="TableText"><w:name w:val="Table Text"/><w:basedOn w:val="Normal"/><w:pPr><w:spacing w:before="40" w:after="40" w:line="240" w:lineRule="auto"/><w:jc w:val="center"/></w:pPr></w:style>
<w:style w:type="paragraph" w:styleId="Header"><w:name w:val="header"/><w:basedOn w:val="Normal"/><w:pPr><w:pBdr><w:bottom w:val="single" w:sz="4" w:space="1" w:color="auto"/></w:pBdr><w:jc w:val="center"/></w:pPr><w:rPr><w:sz w:val="18"/></w:rPr></w:style>
<w:style w:type="paragraph" w:styleId="Footer"><w:name w:val="footer"/><w:basedOn w:val="Normal"/><w:pPr><w:jc w:val="center"/></w:pPr><w:rPr><w:sz w:val="18"/></w:rPr></w:style>
<w:style w:type="table" w:styleId="ReportTable"><w:name w:val="Report Table"/><w:tblPr><w:tblBorders><w:top w:val="single" w:sz="4" w:space="0" w:color="auto"/><w:left w:val="single" w:sz="4" w:space="0" w:color="auto"/><w:bottom w:val="single" w:sz="4" w:space="0" w:color="auto"/><w:right w:val="single" w:sz="4" w:space="0" w:color="auto"/><w:insideH w:val="single" w:sz="4" w:space="0" w:color="auto"/><w:insideV w:val="single" w:sz="4" w:space="0" w:color="auto"/></w:tblBorders><w:tblCellMar><w:left w:w="80" w:type="dxa"/><w:right w:w="80" w:type="dxa"/></w:tblCellMar></w:tblPr></w:style>
</w:styles>
)";

const char* contentTypesXml = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"><Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/><Default Extension="xml" ContentType="application/xml"/><Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/><Override PartName="/word/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml"/><Override PartName="/word/header1.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.header+xml"/><Override PartName="/word/footer1.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.footer+xml"/><Override PartName="/word/fontTable.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.fontTable+xml"/></Types>
)";

const char* packageRelsXml = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/></Relationships>
)";

// The Chinese faces by their Chinese names first, as Word on a Chinese Windows knows them, with
// their English names and kind (Song is serif, Hei sans) for word processors that look elsewhere.
const char* fontTableXml = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<w:fonts xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:font w:name="宋体"><w:altName w:val="SimSun"/><w:charset w:val="86"/><w:family w:val="roman"/><w:pitch w:val="variable"/></w:font><w:font w:name="黑体"><w:altName w:val="SimHei"/><w:charset w:val="86"/><w:family w:val="modern"/><w:pitch w:val="fixed"/></w:font><w:font w:name="Times New Roman"><w:charset w:val="00"/><w:family w:val="roman"/><w:pitch w:val="variable"/></w:font></w:fonts>
)";

const char* documentRelsXml = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rIdStyles" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/><Relationship Id="rIdHeader" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/header" Target="header1.xml"/><Relationship Id="rIdFooter" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/footer" Target="footer1.xml"/><Relationship Id="rIdFonts" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/fontTable" Target="fontTable.xml"/></Relationships>
)";

bool writeZip(const std::string& path, const std::vector<std::pair<std::string, std::string>>& parts) {
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (archive == nullptr) return false;
  for (const auto& [name, data] : parts) {
    zip_source_t* source = zip_source_buffer(archive, data.data(), data.size(), 0);
    if (source == nullptr || zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8) < 0) {
      zip_source_free(source);
      zip_discard(archive);
      return false;
    }
  }
  if (zip_close(archive) != 0) {
    zip_discard(archive);
    return false;
  }
  return true;
}

std::vector<std::vector<std::string>> summaryRows(const std::string& ids) {
  std::vector<std::vector<std::string>> rows{{"验算项目", "计算值", "限值", "利用率", "结论"}};
  std::stringstream stream(ids);
  std::string id;
  while (stream >> id) {
    const std::string stem = "<#" + id + ".";
    rows.push_back({stem + "name>", stem + "demand>", stem + "limit>", stem + "ratio>", stem + "result>"});
  }
  return rows;
}

// The block a checker signs: captions in shaded cells, each value beside its caption; the
// project's name gets the full width.
std::string projectBlock() {
  const std::vector<std::vector<std::pair<std::string, std::string>>> rows{
      {{"工程名称", "<#project.name>"}},
      {{"工程编号", "<#project.number>"}, {"构件编号", "<#project.member>"}},
      {{"设计", "<#project.designer>"}, {"校对", "<#project.checker>"}},
      {{"审核", "<#project.approver>"}, {"日期", "<#project.date>"}},
  };
  // Two caption and value pairs across the text width of the page.
  constexpr int captionWidth = 1500, valueWidth = 3100;
  const auto cell = [](int width, const std::string& text, bool caption, int span) {
    return "<w:tc><w:tcPr><w:tcW w:w=\"" + std::to_string(width) + "\" w:type=\"dxa\"/>" +
           (span > 1 ? "<w:gridSpan w:val=\"" + std::to_string(span) + "\"/>" : std::string()) +
           (caption ? "<w:shd w:val=\"clear\" w:color=\"auto\" w:fill=\"E7E6E6\"/>" : "") +
           "<w:vAlign w:val=\"center\"/></w:tcPr><w:p><w:pPr><w:pStyle w:val=\"TableText\"/></w:pPr>" +
           run(text, caption ? "<w:b/>" : "") + "</w:p></w:tc>";
  };
  std::string xml =
      "<w:tbl><w:tblPr><w:tblStyle w:val=\"ReportTable\"/><w:tblW w:w=\"" +
      std::to_string(2 * (captionWidth + valueWidth)) +
      "\" w:type=\"dxa\"/><w:jc w:val=\"center\"/><w:tblLayout w:type=\"fixed\"/><w:tblLook w:val=\"0000\"/></w:tblPr>"
      "<w:tblGrid>";
  for (int c = 0; c < 4; ++c)
    xml += "<w:gridCol w:w=\"" + std::to_string(c % 2 == 0 ? captionWidth : valueWidth) + "\"/>";
  xml += "</w:tblGrid>";
  for (const auto& row : rows) {
    xml += "<w:tr><w:trPr><w:cantSplit/></w:trPr>";
    for (const auto& [caption, tag] : row) {
      const bool whole = row.size() == 1;
      xml += cell(captionWidth, caption, true, 1);
      xml += cell(whole ? captionWidth + 2 * valueWidth : valueWidth, tag, false, whole ? 3 : 1);
    }
    xml += "</w:tr>";
  }
  return xml + "</w:tbl><w:p><w:pPr><w:spacing w:after=\"0\"/></w:pPr></w:p>";
}

std::string substitute(std::string text, const std::vector<std::pair<std::string, std::string>>& parameters) {
  for (const auto& [name, value] : parameters) {
    const std::string key = "{{" + name + "}}";
    for (std::size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + value.size()))
      text.replace(at, key.size(), value);
  }
  return text;
}

// The document body of a report source, and the page header it names.
struct ReportBody {
  std::string body;
  std::string header = "Pedivo 柱脚设计计算书";
};

// One line of the source that is not a table row, added to the body.
void addLine(const std::string& text, ReportBody& out) {
  std::string& body = out.body;
  if (startsWith(text, "= ")) {
    body += paragraph("Title", text.substr(2));
  } else if (startsWith(text, "# ")) {
    body += paragraph("Heading1", text.substr(2));
  } else if (startsWith(text, "> ")) {
    body += paragraph("Formula", text.substr(2));
  } else if (startsWith(text, "header: ")) {
    out.header = text.substr(8);
  } else if (startsWith(text, "summary: ")) {
    // The name and the two numbers with their words get the room; utilisation and verdict are short.
    body += table(summaryRows(text.substr(9)), {2300, 2200, 2600, 900, 1000}) +
            "<w:p><w:pPr><w:spacing w:after=\"0\"/></w:pPr></w:p>";
  } else if (text == "project:") {
    body += projectBlock();
  } else if (startsWith(text, "note: ")) {
    body += paragraph("Note", text.substr(6));
  } else if (startsWith(text, "banner: ")) {
    // A warning that must not be overlooked: red and bold, as the report's 不满足.
    body += "<w:p><w:pPr><w:pStyle w:val=\"Normal\"/></w:pPr>" +
            run(text.substr(8), "<w:b/><w:color w:val=\"FF0000\"/>") + "</w:p>";
  } else {
    body += paragraph("Normal", text);
  }
}

ReportBody readSource(std::istream& source, const std::vector<std::pair<std::string, std::string>>& parameters) {
  ReportBody out;
  std::vector<std::vector<std::string>> rows;
  const auto flushTable = [&] {
    if (!rows.empty()) out.body += table(rows) + "<w:p><w:pPr><w:spacing w:after=\"0\"/></w:pPr></w:p>";
    rows.clear();
  };
  std::string line;
  while (std::getline(source, line)) {
    const std::string text = trim(substitute(line, parameters));
    if (startsWith(text, "|")) {
      const auto row = cells(text);
      if (!isRule(row)) rows.push_back(row);
      continue;
    }
    flushTable();
    if (!text.empty()) addLine(text, out);
  }
  flushTable();
  return out;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 3) {
    std::cerr << "usage: pedivo-make-template SOURCE.txt OUTPUT.docx [NAME=VALUE ...]\n";
    return 2;
  }
  std::vector<std::pair<std::string, std::string>> parameters;
  for (int i = 3; i < argc; ++i) {
    const std::string argument = argv[i];
    const auto equals = argument.find('=');
    if (equals == std::string::npos) {
      std::cerr << "pedivo-make-template: expected NAME=VALUE, got " << argument << '\n';
      return 2;
    }
    parameters.emplace_back(argument.substr(0, equals), argument.substr(equals + 1));
  }
  std::ifstream source(argv[1]);
  if (!source) {
    std::cerr << "pedivo-make-template: cannot read " << argv[1] << '\n';
    return 1;
  }
  const ReportBody report = readSource(source, parameters);
  const std::vector<std::pair<std::string, std::string>> parts = {
      {"[Content_Types].xml", contentTypesXml}, {"_rels/.rels", packageRelsXml},
      {"word/_rels/document.xml.rels", documentRelsXml}, {"word/document.xml", documentXml(report.body)},
      {"word/styles.xml", stylesXml}, {"word/header1.xml", headerXml(report.header)},
      {"word/footer1.xml", footerXml()}, {"word/fontTable.xml", fontTableXml},
  };
  if (!writeZip(argv[2], parts)) {
    std::cerr << "pedivo-make-template: cannot write " << argv[2] << '\n';
    return 1;
  }
  return 0;
}

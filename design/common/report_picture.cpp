#include "design/common/report_picture.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

namespace pedivo {
namespace {

constexpr const char* documentPart = "word/document.xml";
constexpr const char* relationsPart = "word/_rels/document.xml.rels";
constexpr const char* typesPart = "[Content_Types].xml";
constexpr const char* mediaTarget = "media/pedivo-drawing.png";
constexpr const char* relationId = "rIdPedivoDrawing";
constexpr unsigned parseFlags = pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata;

std::string paragraphText(pugi::xml_node paragraph) {
  std::string text;
  for (pugi::xpath_node t : paragraph.select_nodes(".//w:t")) text += t.node().text().get();
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool sameTag(std::string a, std::string b) {
  const auto lower = [](std::string& s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  };
  lower(a);
  lower(b);
  return a == b;
}

std::string serialize(const pugi::xml_document& doc) {
  std::ostringstream out;
  doc.save(out, "", pugi::format_raw, pugi::encoding_utf8);
  return out.str();
}

long long emu(double mm) { return std::llround(mm * 36000); }

// The inline picture run of one paragraph.
std::string pictureRun(const ReportPicture& picture, int id) {
  const std::string cx = std::to_string(emu(picture.widthMm)), cy = std::to_string(emu(picture.heightMm));
  const std::string number = std::to_string(id);
  return "<w:r><w:drawing><wp:inline distT=\"0\" distB=\"0\" distL=\"0\" distR=\"0\"><wp:extent cx=\"" + cx +
         "\" cy=\"" + cy + "\"/><wp:docPr id=\"" + number + "\" name=\"柱脚图 " + number +
         "\"/><wp:cNvGraphicFramePr><a:graphicFrameLocks noChangeAspect=\"1\"/></wp:cNvGraphicFramePr>"
         "<a:graphic><a:graphicData uri=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"><pic:pic>"
         "<pic:nvPicPr><pic:cNvPr id=\"" + number + "\" name=\"pedivo-drawing.png\"/><pic:cNvPicPr/></pic:nvPicPr>"
         "<pic:blipFill><a:blip r:embed=\"" + relationId + "\"/><a:stretch><a:fillRect/></a:stretch></pic:blipFill>"
         "<pic:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"" + cx + "\" cy=\"" + cy +
         "\"/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></pic:spPr></pic:pic></a:graphicData>"
         "</a:graphic></wp:inline></w:drawing></w:r>";
}

// The paragraph's properties, centred: w:jc in its place among them, so that a word processor
// that keeps to the schema's order reads it.
void centre(pugi::xml_node paragraph) {
  pugi::xml_node properties = paragraph.child("w:pPr") ? paragraph.child("w:pPr") : paragraph.prepend_child("w:pPr");
  properties.remove_child("w:jc");
  pugi::xml_node after;  // the last property the schema puts before w:jc
  for (const char* name : {"w:pStyle", "w:keepNext", "w:keepLines", "w:pageBreakBefore", "w:framePr",
                           "w:widowControl", "w:numPr", "w:suppressLineNumbers", "w:pBdr", "w:shd", "w:tabs",
                           "w:suppressAutoHyphens", "w:kinsoku", "w:wordWrap", "w:overflowPunct", "w:topLinePunct",
                           "w:autoSpaceDE", "w:autoSpaceDN", "w:bidi", "w:adjustRightInd", "w:snapToGrid",
                           "w:spacing", "w:ind", "w:contextualSpacing", "w:mirrorIndents", "w:suppressOverlap"})
    if (pugi::xml_node found = properties.child(name)) after = found;
  pugi::xml_node jc = after ? properties.insert_child_after("w:jc", after) : properties.prepend_child("w:jc");
  jc.append_attribute("w:val") = "center";
}

// Keeps the picture's paragraph on the page of the caption that follows it.
void keepWithNext(pugi::xml_node paragraph) {
  pugi::xml_node properties = paragraph.child("w:pPr");
  if (properties.child("w:keepNext")) return;
  if (pugi::xml_node style = properties.child("w:pStyle"))
    properties.insert_child_after("w:keepNext", style);
  else
    properties.prepend_child("w:keepNext");
}

// The caption under the picture's paragraph, laid out as that paragraph.
void addCaption(pugi::xml_node picture, const std::string& caption) {
  pugi::xml_node paragraph = picture.parent().insert_child_after("w:p", picture);
  paragraph.append_copy(picture.child("w:pPr")).remove_child("w:keepNext");
  pugi::xml_node text = paragraph.append_child("w:r").append_child("w:t");
  text.append_attribute("xml:space") = "preserve";
  text.text() = caption.c_str();
}

void declare(pugi::xml_node root, const char* name, const char* uri) {
  if (!root.attribute(name)) root.append_attribute(name) = uri;
}

// The image part's relationship and content type, once each.
std::optional<std::string> registerImage(const PackageParts& parts) {
  pugi::xml_document relations;
  std::string& relationsXml = parts(relationsPart);
  if (!relations.load_buffer(relationsXml.data(), relationsXml.size(), parseFlags))
    return std::string("部件“") + relationsPart + "”已损坏";
  pugi::xml_node list = relations.child("Relationships");
  if (!list.find_child_by_attribute("Relationship", "Id", relationId)) {
    pugi::xml_node r = list.append_child("Relationship");
    r.append_attribute("Id") = relationId;
    r.append_attribute("Type") = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";
    r.append_attribute("Target") = mediaTarget;
    relationsXml = serialize(relations);
  }
  pugi::xml_document types;
  std::string& typesXml = parts(typesPart);
  if (!types.load_buffer(typesXml.data(), typesXml.size(), parseFlags))
    return std::string("部件“") + typesPart + "”已损坏";
  pugi::xml_node root = types.child("Types");
  bool hasPng = false;
  for (pugi::xml_node d : root.children("Default"))
    hasPng = hasPng || sameTag(d.attribute("Extension").value(), "png");
  if (!hasPng) {
    pugi::xml_node d = root.prepend_child("Default");
    d.append_attribute("Extension") = "png";
    d.append_attribute("ContentType") = "image/png";
    typesXml = serialize(types);
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> placePicture(const PackageParts& parts, const std::optional<ReportPicture>& picture) {
  pugi::xml_document doc;
  {
    const std::string& xml = parts(documentPart);
    if (!doc.load_buffer(xml.data(), xml.size(), parseFlags)) return std::string("部件“") + documentPart + "”已损坏";
  }
  std::vector<pugi::xml_node> found;
  for (pugi::xpath_node p : doc.select_nodes("//w:p"))
    if (sameTag(paragraphText(p.node()), drawingTag)) found.push_back(p.node());
  if (found.empty()) return std::nullopt;
  if (!picture) {
    for (pugi::xml_node p : found) p.parent().remove_child(p);
    parts(documentPart) = serialize(doc);
    return std::nullopt;
  }
  pugi::xml_node root = doc.document_element();
  declare(root, "xmlns:wp", "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing");
  declare(root, "xmlns:a", "http://schemas.openxmlformats.org/drawingml/2006/main");
  declare(root, "xmlns:pic", "http://schemas.openxmlformats.org/drawingml/2006/picture");
  declare(root, "xmlns:r", "http://schemas.openxmlformats.org/officeDocument/2006/relationships");
  int id = 9001;
  for (pugi::xml_node p : found) {
    // Keep the paragraph's properties, centred; its runs give way to the picture.
    for (pugi::xml_node child = p.first_child(); child;) {
      const pugi::xml_node next = child.next_sibling();
      if (std::string_view(child.name()) != "w:pPr") p.remove_child(child);
      child = next;
    }
    centre(p);
    pugi::xml_document run;
    const std::string xml = "<w:root xmlns:w=\"w\" xmlns:wp=\"wp\" xmlns:a=\"a\" xmlns:pic=\"pic\" xmlns:r=\"r\">" +
                            pictureRun(*picture, id++) + "</w:root>";
    run.load_buffer(xml.data(), xml.size(), parseFlags);
    p.append_copy(run.document_element().first_child());
    if (!picture->caption.empty()) {
      keepWithNext(p);
      addCaption(p, picture->caption);
    }
  }
  parts(documentPart) = serialize(doc);
  if (auto problem = registerImage(parts)) return problem;
  parts(std::string("word/") + mediaTarget) = picture->png;
  return std::nullopt;
}

}  // namespace pedivo

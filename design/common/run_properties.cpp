#include "design/common/run_properties.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace pedivo {
namespace {

// The run properties in the order the schema gives them, so that bold and colour go where Word
// expects them among the properties a template already has.
constexpr std::array<std::string_view, 40> runPropertyOrder = {
    "w:rStyle", "w:rFonts", "w:b",        "w:bCs",      "w:i",         "w:iCs",      "w:caps",     "w:smallCaps",
    "w:strike", "w:dstrike", "w:outline", "w:shadow",   "w:emboss",    "w:imprint",  "w:noProof",  "w:snapToGrid",
    "w:vanish", "w:webHidden", "w:color", "w:spacing",  "w:w",         "w:kern",     "w:position", "w:sz",
    "w:szCs",   "w:highlight", "w:u",     "w:effect",   "w:bdr",       "w:shd",      "w:fitText",  "w:vertAlign",
    "w:rtl",    "w:cs",      "w:em",       "w:lang",     "w:eastAsianLayout", "w:specVanish", "w:oMath", "w:rPrChange"};

std::size_t propertyRank(std::string_view name) {
  const auto at = std::find(runPropertyOrder.begin(), runPropertyOrder.end(), name);
  return static_cast<std::size_t>(at - runPropertyOrder.begin());
}

pugi::xml_node propertiesOf(pugi::xml_node run) {
  pugi::xml_node properties = run.child("w:rPr");
  return properties ? properties : run.prepend_child("w:rPr");
}

}  // namespace

pugi::xml_node setRunProperty(pugi::xml_node properties, const char* name) {
  properties.remove_child(name);
  const std::size_t rank = propertyRank(name);
  for (pugi::xml_node child = properties.first_child(); child; child = child.next_sibling())
    if (propertyRank(child.name()) > rank) return properties.insert_child_before(name, child);
  return properties.append_child(name);
}

void makeBold(pugi::xml_node run) { setRunProperty(propertiesOf(run), "w:b"); }

void makeRedBold(pugi::xml_node run) {
  const pugi::xml_node properties = propertiesOf(run);
  setRunProperty(properties, "w:b");
  setRunProperty(properties, "w:color").append_attribute("w:val").set_value("FF0000");
}

}  // namespace pedivo

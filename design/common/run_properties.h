#pragma once
// The properties of a run of text in a word-processing document (w:rPr): bold and colour set
// where the schema orders them among the properties a template already gives the run.

#include <pugixml.hpp>

namespace pedivo {

// Sets a property of a run's rPr, replacing one already there, at its place in the schema's order.
pugi::xml_node setRunProperty(pugi::xml_node properties, const char* name);

// The run in bold (and red for a failing verdict); its rPr is added where it has none.
void makeBold(pugi::xml_node run);
void makeRedBold(pugi::xml_node run);

}  // namespace pedivo

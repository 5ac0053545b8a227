#pragma once
// A text block (text_block.h) set into a word-processing document: its paragraphs in the manner
// of the paragraph that held its tag, its rows as a table across the text area whose header row
// repeats on every page. A cell that says "不满足" is set in red bold.

#include <pugixml.hpp>

#include "design/common/text_block.h"

namespace pedivo {

// Whether a table may stand among the children of this element: the body, a table cell, a
// header or footer, a footnote, a text box.
bool holdsTables(pugi::xml_node container);

// Inserts the block after `after`, a child of the paragraph's parent (first of all where it is
// empty). The block's paragraphs take the properties of `paragraph`, the one that held its tag,
// and every run of text those of `run` (the run the tag began in; empty for plain text). Returns
// the last node inserted.
pugi::xml_node insertTextBlock(pugi::xml_node paragraph, pugi::xml_node after, pugi::xml_node run,
                               const TextBlock& block);

}  // namespace pedivo

#pragma once
// Tags of a report filled into the paragraphs of one XML part. Each paragraph's text is read once
// (joined over its runs, so that a tag split over several runs is found), every tag found in it
// from a table sorted by tag, and the text put into the run where its tag begins. The time grows
// with the part's size, not with the number of tags times the number of paragraphs.

#include <pugixml.hpp>
#include <vector>

#include "design/common/module.h"

namespace pedivo {

// Fills every paragraph (w:p) of the document; letters match without regard to case and only as
// a whole word; where several tags match at one place the first in the table wins; inserted text
// is made XML-safe and never searched again; a run that receives "不满足" is split so that the word
// stands in red bold runs of its own. A paragraph of the body that holds nothing but the tag of the
// table of load combinations, empty for a design with one combination, is removed, so that no
// blank line stands in its place. With several combinations that tag's text is a table
// (text_block.h): it is set as a Word table beside the paragraph that held the tag, which goes
// where it held nothing else; where no table can stand, its rows are written as lines. Returns
// whether anything changed.
bool fillParagraphs(pugi::xml_document& doc, const std::vector<TagText>& tags);

}  // namespace pedivo

#include "design/common/paragraph_filler.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <string_view>

#include "design/common/report_table.h"
#include "design/common/run_properties.h"

namespace pedivo {
namespace {

// ---- text of the inserted values ---------------------------------------------------------

// Keeps the characters XML can hold; drops control characters and broken UTF-8.
std::string xmlSafe(const std::string& text) {
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    char32_t code = 0;
    if (lead < 0x80) {
      length = 1, code = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2, code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, code = lead & 0x07;
    } else {
      ++i;
      continue;
    }
    bool valid = i + length <= text.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      valid = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3F);
    }
    static constexpr char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    valid = valid && code >= minimum[length] && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
    const bool allowed =
        code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code != 0xFFFE && code != 0xFFFF);
    if (valid && allowed) out.append(text, i, length);
    i += valid ? length : 1;
  }
  return out;
}

// ---- finding tags in the text of a paragraph ----------------------------------------------

bool isWordCharacter(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 0x80 || std::isalnum(u) != 0;
}

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Tags that stand in a paragraph of their own only to be a block of text (the table of load
// combinations): with nothing to say, their paragraph goes; with a table to give (text_block.h),
// the table takes its place. Every other tag keeps its line empty.
constexpr std::array<std::string_view, 1> blockTags = {"<#combinations>"};

bool isBlockTag(std::string_view lowered) {
  return std::find(blockTags.begin(), blockTags.end(), lowered) != blockTags.end();
}

// A block's rows as lines, where no table can stand: the cells parted by wide spaces.
std::string flatBlockText(std::string text) {
  for (std::size_t at = text.find('\t'); at != std::string::npos; at = text.find('\t', at)) text.replace(at, 1, "　");
  return text;
}

// The tags of a table, looked up by the text at a position of a paragraph: sorted by their
// lower-case text, so that the tags a text begins with are found by narrowing the range one byte
// at a time. A paragraph is then read once whatever the number of tags.
class TagIndex {
 public:
  struct Tag {
    std::string lowered;
    std::size_t order = 0;  // place in the table: the first of tags matching at one place wins
    std::string replacement;
    std::optional<TextBlock> block;  // a block tag's table, set as one where the paragraph allows
    bool wordStart = false;  // begins (ends) with a letter or digit: must not touch another
    bool wordEnd = false;
  };

  explicit TagIndex(const std::vector<TagText>& tags) {
    for (std::size_t i = 0; i < tags.size(); ++i) {
      if (tags[i].tag.empty()) continue;
      Tag tag{tags[i].tag, i, {}, {}, isWordCharacter(tags[i].tag.front()), isWordCharacter(tags[i].tag.back())};
      for (char& c : tag.lowered) c = lowerAscii(c);
      opensTag_[static_cast<unsigned char>(tag.lowered.front())] = true;
      sorted_.push_back(std::move(tag));
    }
    std::stable_sort(sorted_.begin(), sorted_.end(), [](const Tag& a, const Tag& b) { return a.lowered < b.lowered; });
    // The same tag twice: the first fills every place, as the later one would find none.
    sorted_.erase(
        std::unique(sorted_.begin(), sorted_.end(), [](const Tag& a, const Tag& b) { return a.lowered == b.lowered; }),
        sorted_.end());
    // Inserted text is made XML-safe once, not once a place.
    for (Tag& tag : sorted_) {
      tag.replacement = xmlSafe(tags[tag.order].text);
      if (!isBlockTag(tag.lowered) || tag.replacement.find('\t') == std::string::npos) continue;
      tag.block = readTextBlock(tag.replacement);
      tag.replacement = flatBlockText(std::move(tag.replacement));
    }
  }

  bool empty() const { return sorted_.empty(); }
  bool mayOpenTag(char c) const { return opensTag_[static_cast<unsigned char>(c)]; }

  // The tag found as a whole word at `at` of the lower-cased text, or none.
  const Tag* match(std::string_view lowered, std::size_t at) const {
    const Tag* best = nullptr;
    auto lo = sorted_.begin(), hi = sorted_.end();
    for (std::size_t k = 0;; ++k) {
      // Tags of length k in the range are matched in full; being shortest they sort first.
      for (; lo != hi && lo->lowered.size() == k; ++lo)
        if ((best == nullptr || lo->order < best->order) && wholeWord(*lo, lowered, at)) best = &*lo;
      if (lo == hi || at + k >= lowered.size()) break;
      const char c = lowered[at + k];
      const auto range = std::equal_range(lo, hi, c, ByteAt{k});
      lo = range.first, hi = range.second;
    }
    return best;
  }

 private:
  struct ByteAt {
    std::size_t k;
    // As bytes without sign, the order std::string sorts by.
    static unsigned char byte(char c) { return static_cast<unsigned char>(c); }
    bool operator()(const Tag& tag, char c) const { return byte(tag.lowered[k]) < byte(c); }
    bool operator()(char c, const Tag& tag) const { return byte(c) < byte(tag.lowered[k]); }
  };

  static bool wholeWord(const Tag& tag, std::string_view text, std::size_t at) {
    const std::size_t end = at + tag.lowered.size();
    return (!tag.wordStart || at == 0 || !isWordCharacter(text[at - 1])) &&
           (!tag.wordEnd || end == text.size() || !isWordCharacter(text[end]));
  }

  std::vector<Tag> sorted_;
  std::array<bool, 256> opensTag_{};
};

// The text nodes (w:t) of a paragraph, without those of paragraphs nested inside it (text boxes).
// Walked with an explicit stack: a template may nest elements as deep as it likes.
void collectTextNodes(pugi::xml_node paragraph, std::vector<pugi::xml_node>& out,
                      std::vector<pugi::xml_node>& pending) {
  pending.clear();
  for (pugi::xml_node child = paragraph.last_child(); child; child = child.previous_sibling()) pending.push_back(child);
  while (!pending.empty()) {
    const pugi::xml_node node = pending.back();
    pending.pop_back();
    if (node.type() != pugi::node_element) continue;
    const std::string_view name = node.name();
    if (name == "w:p") continue;
    if (name == "w:t") {
      out.push_back(node);
      continue;
    }
    for (pugi::xml_node child = node.last_child(); child; child = child.previous_sibling()) pending.push_back(child);
  }
}

void setPlainText(pugi::xml_node textNode, const std::string& text) {
  textNode.text().set(text.c_str());
  pugi::xml_attribute space = textNode.attribute("xml:space");
  if (!space) space = textNode.append_attribute("xml:space");
  space.set_value("preserve");
}

// A text of several lines keeps its lines: a break between each, within the same run.
void setRunText(pugi::xml_node textNode, const std::string& text) {
  std::size_t end = text.find('\n');
  if (end == std::string::npos) return setPlainText(textNode, text);
  setPlainText(textNode, text.substr(0, end));
  pugi::xml_node run = textNode.parent();
  pugi::xml_node last = textNode;
  while (end != std::string::npos) {
    const std::size_t from = end + 1;
    end = text.find('\n', from);
    const pugi::xml_node lineBreak = run.insert_child_after("w:br", last);
    last = run.insert_child_after("w:t", lineBreak);
    setPlainText(last, text.substr(from, end == std::string::npos ? std::string::npos : end - from));
  }
}

// ---- a failing verdict in red bold ----------------------------------------------------------

constexpr std::string_view failedWord = "不满足";

// A run that received text with "不满足" in it becomes several runs, the word in red bold ones,
// so that a failing verdict stands out wherever it is printed. Only a plain run (its properties
// and this one text) is split; anything else in it would be copied along.
void emphasiseFailures(pugi::xml_node textNode, const std::string& text) {
  if (text.find(failedWord) == std::string::npos) return;
  pugi::xml_node run = textNode.parent();
  if (std::string_view(run.name()) != "w:r") return;
  for (pugi::xml_node child = run.first_child(); child; child = child.next_sibling()) {
    const std::string_view name = child.name();
    if (child.type() == pugi::node_element && child != textNode && name != "w:rPr") return;
  }
  pugi::xml_node parent = run.parent();
  const auto piece = [&](std::string_view part, bool failed) {
    if (part.empty()) return;
    pugi::xml_node copy = parent.insert_copy_before(run, run);
    pugi::xml_node copyText = copy.child("w:t");
    copyText.text().set(std::string(part).c_str());
    if (failed) makeRedBold(copy);
  };
  std::size_t from = 0;
  for (std::size_t at = text.find(failedWord); at != std::string::npos; at = text.find(failedWord, from)) {
    piece(std::string_view(text).substr(from, at - from), false);
    piece(failedWord, true);
    from = at + failedWord.size();
  }
  piece(std::string_view(text).substr(from), false);
  parent.remove_child(run);
}

struct Found {
  std::size_t begin = 0;
  std::size_t end = 0;
  const std::string* replacement = nullptr;
  const TextBlock* block = nullptr;  // set as a table beside the paragraph; the tag leaves no text
};

// A block to set beside its paragraph once every paragraph is filled, so that its text is never
// searched; the paragraph goes where it held nothing else.
struct PendingBlock {
  pugi::xml_node paragraph;
  pugi::xml_node run;  // a copy of the run the tag began in, in PendingBlocks::runs
  const TextBlock* block;
  bool removeParagraph;
};
struct PendingBlocks {
  pugi::xml_document runs;
  std::vector<PendingBlock> blocks;
};

// Replaces every tag in one paragraph in a single reading of its text: the matches are found
// left to right, and the text goes into the run where its tag begins; the runs a tag spans after
// that lose its pieces. Inserted text is never searched again. Returns whether anything changed.
// Reuses the caller's scratch room, so that a million paragraphs do not allocate a million times.
struct ParagraphScratch {
  std::vector<pugi::xml_node> pending;
  std::vector<pugi::xml_node> nodes;
  std::vector<std::size_t> starts;
  std::string joined;
  std::string lowered;
  std::vector<Found> found;
  std::string text;
  PendingBlocks* blocks = nullptr;
};

// What filling did to a paragraph.
enum class Filled {
  Unchanged,
  Changed,
  Emptied,  // it held only a tag, which had nothing to say: the paragraph is not wanted
};

// A paragraph that is only its text: properties (not a section's), plain runs of text, proofing
// marks and bookmarks. Removing it loses nothing but its line.
bool isPlainParagraph(pugi::xml_node paragraph) {
  for (pugi::xml_node child = paragraph.first_child(); child; child = child.next_sibling()) {
    if (child.type() != pugi::node_element) continue;
    const std::string_view name = child.name();
    if (name == "w:pPr") {
      if (child.child("w:sectPr")) return false;
    } else if (name == "w:r") {
      for (pugi::xml_node part = child.first_child(); part; part = part.next_sibling()) {
        const std::string_view partName = part.name();
        if (part.type() == pugi::node_element && partName != "w:rPr" && partName != "w:t") return false;
      }
    } else if (name != "w:proofErr" && name != "w:bookmarkStart" && name != "w:bookmarkEnd") {
      return false;
    }
  }
  return true;
}

bool isPlainBodyParagraph(pugi::xml_node paragraph) {
  return std::string_view(paragraph.parent().name()) == "w:body" && isPlainParagraph(paragraph);
}

// The paragraph's text is one block tag, around it at most blanks, and the tag's text is empty.
bool holdsOnlyAnEmptyTag(const std::string& joined, const std::vector<Found>& found) {
  if (found.size() != 1 || !found.front().replacement->empty()) return false;
  std::string tag = joined.substr(found.front().begin, found.front().end - found.front().begin);
  for (char& c : tag) c = lowerAscii(c);
  if (!isBlockTag(tag)) return false;
  const auto blank = [](std::string_view part) { return part.find_first_not_of(" \t") == std::string_view::npos; };
  const std::string_view text(joined);
  return blank(text.substr(0, found.front().begin)) && blank(text.substr(found.front().end));
}

// Nothing but blanks outside the tags, and the tags leave no text.
bool holdsOnlyEmptyTags(const std::string& joined, const std::vector<Found>& found) {
  const auto blank = [](std::string_view part) { return part.find_first_not_of(" \t") == std::string_view::npos; };
  std::size_t from = 0;
  for (const Found& tag : found) {
    if (!tag.replacement->empty() || !blank(std::string_view(joined).substr(from, tag.begin - from))) return false;
    from = tag.end;
  }
  return blank(std::string_view(joined).substr(from));
}

// The paragraph's blocks kept to be set beside it, with the run their first tag begins in.
void keepBlocks(pugi::xml_node paragraph, ParagraphScratch& s) {
  std::size_t n = 0;
  const Found& first = *std::find_if(s.found.begin(), s.found.end(), [](const Found& f) { return f.block != nullptr; });
  while (n + 1 < s.nodes.size() && s.starts[n + 1] <= first.begin) ++n;
  pugi::xml_node run = s.blocks->runs.append_child("w:r");
  if (const pugi::xml_node properties = s.nodes[n].parent().child("w:rPr")) run.append_copy(properties);
  const bool alone = holdsOnlyEmptyTags(s.joined, s.found) && isPlainParagraph(paragraph);
  for (const Found& found : s.found)
    if (found.block != nullptr) s.blocks->blocks.push_back({paragraph, run, found.block, alone});
}

// Each block after its paragraph (before it where the paragraph closes a section), in the order
// of their tags; a paragraph that held nothing else goes.
void placeBlocks(const PendingBlocks& pending) {
  for (std::size_t i = 0; i < pending.blocks.size();) {
    const pugi::xml_node paragraph = pending.blocks[i].paragraph;
    const bool closesSection = static_cast<bool>(paragraph.child("w:pPr").child("w:sectPr"));
    pugi::xml_node after = closesSection ? paragraph.previous_sibling() : paragraph;
    for (; i < pending.blocks.size() && pending.blocks[i].paragraph == paragraph; ++i)
      after = insertTextBlock(paragraph, after, pending.blocks[i].run, *pending.blocks[i].block);
    if (pending.blocks[i - 1].removeParagraph && !closesSection) paragraph.parent().remove_child(paragraph);
  }
}

Filled replaceInParagraph(pugi::xml_node paragraph, const TagIndex& tags, ParagraphScratch& s) {
  s.nodes.clear();
  collectTextNodes(paragraph, s.nodes, s.pending);
  if (s.nodes.empty()) return Filled::Unchanged;
  s.joined.clear();
  s.starts.clear();
  for (pugi::xml_node node : s.nodes) {
    s.starts.push_back(s.joined.size());
    s.joined += node.text().get();
  }
  s.found.clear();
  s.lowered.clear();
  for (std::size_t i = 0; i < s.joined.size(); ++i) {
    if (!tags.mayOpenTag(lowerAscii(s.joined[i]))) continue;
    if (s.lowered.empty()) {
      s.lowered = s.joined;
      for (char& c : s.lowered) c = lowerAscii(c);
    }
    if (const TagIndex::Tag* tag = tags.match(s.lowered, i)) {
      static const std::string noText;
      const bool asTable = tag->block && holdsTables(paragraph.parent());
      s.found.push_back({i, i + tag->lowered.size(), asTable ? &noText : &tag->replacement,
                         asTable ? &*tag->block : nullptr});
      i += tag->lowered.size() - 1;
    }
  }
  if (s.found.empty()) return Filled::Unchanged;
  const bool withBlocks =
      std::any_of(s.found.begin(), s.found.end(), [](const Found& found) { return found.block != nullptr; });
  if (withBlocks) keepBlocks(paragraph, s);
  else if (holdsOnlyAnEmptyTag(s.joined, s.found) && isPlainBodyParagraph(paragraph)) return Filled::Emptied;

  std::size_t m = 0;
  for (std::size_t n = 0; n < s.nodes.size(); ++n) {
    const std::size_t start = s.starts[n];
    const std::size_t end = n + 1 < s.nodes.size() ? s.starts[n + 1] : s.joined.size();
    while (m < s.found.size() && s.found[m].end <= start) ++m;
    if (m == s.found.size() || s.found[m].begin >= end) continue;  // no tag touches this run
    s.text.clear();
    std::size_t pos = start;
    for (std::size_t f = m; pos < end;) {
      if (f < s.found.size() && s.found[f].begin < end) {
        const Found& tag = s.found[f];
        if (tag.begin > pos) s.text.append(s.joined, pos, tag.begin - pos);
        if (tag.begin >= pos) s.text += *tag.replacement;
        pos = std::min(tag.end, end);
        ++f;
      } else {
        s.text.append(s.joined, pos, end - pos);
        pos = end;
      }
    }
    if (s.text != std::string_view(s.joined).substr(start, end - start)) {
      setRunText(s.nodes[n], s.text);
      emphasiseFailures(s.nodes[n], s.text);
    }
  }
  return Filled::Changed;
}

}  // namespace

bool fillParagraphs(pugi::xml_document& doc, const std::vector<TagText>& tags) {
  const TagIndex index(tags);
  if (index.empty()) return false;
  // Every paragraph in document order, walked without a stack or a node list (a query for all
  // paragraphs first lists every node of the part).
  bool changed = false;
  PendingBlocks blocks;
  ParagraphScratch scratch;
  scratch.blocks = &blocks;
  pugi::xml_node node = doc.first_child();
  while (node) {
    if (node.type() == pugi::node_element && std::string_view(node.name()) == "w:p") {
      const Filled filled = replaceInParagraph(node, index, scratch);
      changed = filled != Filled::Unchanged || changed;
      if (filled == Filled::Emptied) {
        // Gone, with no blank line in its place; the walk goes on after it.
        pugi::xml_node next = node;
        while (next && !next.next_sibling()) next = next.parent();
        if (next) next = next.next_sibling();
        node.parent().remove_child(node);
        node = next;
        continue;
      }
    }
    if (node.first_child()) {
      node = node.first_child();
      continue;
    }
    while (node && !node.next_sibling()) node = node.parent();
    if (node) node = node.next_sibling();
  }
  placeBlocks(blocks);
  return changed;
}

}  // namespace pedivo

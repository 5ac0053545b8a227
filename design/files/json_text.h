#pragma once
// Checks on a JSON text before it is read into a document: a case line of pedivo-calc and a
// design file. The document reader takes the last of two equal keys and keeps what follows a
// "\u0000" inside a text; either would let a file say something else than it seems to say. The
// check reads the text once as a stream of events, so it takes time in proportion to its length
// whatever its shape.

#include <optional>
#include <string>
#include <string_view>

namespace pedivo {

// The refusal (Chinese), or nothing: a NUL byte in the text or in a string, a key given twice in
// one object, nesting deeper than maximumDepth (counted as the JSON reader's callback counts
// it). A text that is not JSON at all is left to the reader, which says where it fails.
std::optional<std::string> checkJsonText(std::string_view text, int maximumDepth);

}  // namespace pedivo

#pragma once
// Texts are UTF-8 and their lengths are counted in characters (Unicode code points), the same
// everywhere: in the windows, design files, batch cells, pedivo-calc and the DXF writer. An emoji
// is one character, and so is each combining mark.

#include <cstddef>
#include <string_view>

namespace pedivo {

// The length of the well-formed UTF-8 character at text[i], or 0 (a stray byte, an overlong form,
// a surrogate, beyond U+10FFFF, cut short).
std::size_t utf8CharacterLength(std::string_view text, std::size_t i);

// The text is well-formed UTF-8 throughout.
bool isWellFormedUtf8(std::string_view text);

// Characters of a well-formed text; a stray byte counts as one.
std::size_t characterCount(std::string_view text);

// The code point of the well-formed character of `length` bytes at text[i].
char32_t codePointAt(std::string_view text, std::size_t i, std::size_t length);

// The text holds a control character (U+0000–U+001F, U+007F–U+009F): a line break, a tab, …
bool hasControlCharacter(std::string_view text);

// The text holds U+FFFE or U+FFFF, which are no characters and which a report (XML) cannot hold.
bool hasNoncharacter(std::string_view text);

}  // namespace pedivo

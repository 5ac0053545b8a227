#include "design/common/utf8_text.h"

namespace pedivo {

std::size_t utf8CharacterLength(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing beyond U+10FFFF
  } else {
    return 0;
  }
  if (i + length > text.size() || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k)
    if ((byte(k) & 0xC0) != 0x80) return 0;
  return length;
}

bool isWellFormedUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = utf8CharacterLength(text, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::size_t characterCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++count) {
    const std::size_t length = utf8CharacterLength(text, i);
    i += length == 0 ? 1 : length;
  }
  return count;
}

char32_t codePointAt(std::string_view text, std::size_t i, std::size_t length) {
  const auto lead = static_cast<unsigned char>(text[i]);
  if (length == 1) return lead;
  char32_t code = lead & (length == 2 ? 0x1F : length == 3 ? 0x0F : 0x07);
  for (std::size_t k = 1; k < length; ++k) code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
  return code;
}

bool hasNoncharacter(std::string_view text) {
  return text.find("\xEF\xBF\xBE") != std::string_view::npos || text.find("\xEF\xBF\xBF") != std::string_view::npos;
}

bool hasControlCharacter(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = utf8CharacterLength(text, i);
    if (length == 0) {
      ++i;
      continue;
    }
    const char32_t code = codePointAt(text, i, length);
    if (code < 0x20 || (code >= 0x7F && code <= 0x9F)) return true;
    i += length;
  }
  return false;
}

}  // namespace pedivo

#include "json_line.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "design/common/numbers.h"

namespace pedivo::calc {
namespace {

// What a byte asks of the writer: 0 copy it, 1 escape it, 2 it opens a UTF-8 sequence (or is
// not UTF-8 at all).
constexpr std::array<unsigned char, 256> byteKinds = [] {
  std::array<unsigned char, 256> kinds{};
  for (int c = 0; c < 256; ++c)
    kinds[static_cast<std::size_t>(c)] = c < 0x20 || c == '"' || c == '\\' ? 1 : c >= 0x80 ? 2 : 0;
  return kinds;
}();

// Length of the UTF-8 sequence at p, or 0 when the bytes there are not one.
std::size_t sequenceLength(const char* p, const char* end) {
  const auto c = static_cast<unsigned char>(*p);
  const std::size_t length = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
  if (length == 0 || static_cast<std::size_t>(end - p) < length) return 0;
  for (std::size_t k = 1; k < length; ++k)
    if ((static_cast<unsigned char>(p[k]) & 0xC0) != 0x80) return 0;
  return length;
}

bool isThreeByteSequence(const char* p) {
  return (static_cast<unsigned char>(p[0]) & 0xF0) == 0xE0 && (static_cast<unsigned char>(p[1]) & 0xC0) == 0x80 &&
         (static_cast<unsigned char>(p[2]) & 0xC0) == 0x80;
}

// The first byte from p on that cannot be copied as it stands: a quote, a backslash, a control
// character or a byte that does not belong to a UTF-8 sequence; end when there is none.
const char* endOfPlain(const char* p, const char* const end) {
  for (;;) {
    while (p < end && byteKinds[static_cast<unsigned char>(*p)] == 0) ++p;
    if (p == end || byteKinds[static_cast<unsigned char>(*p)] == 1) return p;
    // Chinese text is a run of three-byte sequences: step over the run in one loop.
    if (end - p >= 3 && isThreeByteSequence(p)) {
      p += 3;
      while (end - p >= 3 && isThreeByteSequence(p)) p += 3;
      continue;
    }
    const std::size_t length = sequenceLength(p, end);
    if (length == 0) return p;
    p += length;
  }
}

}  // namespace

bool isPlainName(std::string_view name) {
  return std::all_of(name.begin(), name.end(), [](char c) { return c >= 0x20 && c < 0x7F && c != '"' && c != '\\'; });
}


// Quotes a text; bytes that are not UTF-8 become U+FFFD, as dump() does with its replace handler.
// A text that needs no escape, nearly every one, is copied whole in one step.
JsonLine& JsonLine::value(std::string_view text) {
  if (endOfPlain(text.data(), text.data() + text.size()) == text.data() + text.size()) {
    commit(quoted(separate(room(text.size() + 3)), text));
  } else {
    commit(separate(room(1)));
    escaped(text);
  }
  return *this;
}

// A text with bytes to escape: the plain stretches between them are copied whole.
void JsonLine::escaped(std::string_view s) {
  static constexpr char hex[] = "0123456789abcdef";
  const auto put = [this](std::string_view bytes) {
    char* p = room(bytes.size());
    copyBytes(p, bytes.data(), bytes.size());
    commit(p + bytes.size());
  };
  const char* p = s.data();
  const char* const end = p + s.size();
  put("\"");
  for (;;) {
    const char* const stop = endOfPlain(p, end);
    put(std::string_view(p, static_cast<std::size_t>(stop - p)));
    if (stop == end) break;
    const auto c = static_cast<unsigned char>(*stop);
    switch (c) {
      case '"': put("\\\""); break;
      case '\\': put("\\\\"); break;
      case '\b': put("\\b"); break;
      case '\f': put("\\f"); break;
      case '\n': put("\\n"); break;
      case '\r': put("\\r"); break;
      case '\t': put("\\t"); break;
      default:
        if (c >= 0x80) {
          put("\xEF\xBF\xBD");
        } else {
          const char escape[] = {'\\', 'u', '0', '0', hex[c >> 4], hex[c & 0xF]};
          put(std::string_view(escape, sizeof escape));
        }
    }
    p = stop + 1;
  }
  put("\"");
}

JsonLine& JsonLine::value(double number) {
  if (!std::isfinite(number)) return null();  // as nlohmann::json writes a value JSON cannot hold
  appendNumber(number);
  return *this;
}

// The shortest digits that read back as the number, laid out as nlohmann::json lays them out:
// plain up to 15 digits before the point with ".0" for a whole number, "0.000ddd" down to 1e-4,
// otherwise "d.ddde-05" with a signed exponent of at least two digits.
void JsonLine::appendNumber(double number) {
  const DecimalDigits d = shortestDigits(number);
  char* p = separate(room(41));
  const int k = static_cast<int>(d.count);
  const int n = d.exponent + 1;  // digits before the point
  const auto copy = [&p, &d](int from, int to) {
    for (int i = from; i < to; ++i) *p++ = d.digits[static_cast<std::size_t>(i)];
  };
  if (d.negative) *p++ = '-';
  if (k <= n && n <= 15) {
    copy(0, k);
    for (int i = k; i < n; ++i) *p++ = '0';
    *p++ = '.', *p++ = '0';
  } else if (0 < n && n <= 15) {
    copy(0, n);
    *p++ = '.';
    copy(n, k);
  } else if (-4 < n && n <= 0) {
    *p++ = '0', *p++ = '.';
    for (int i = 0; i < -n; ++i) *p++ = '0';
    copy(0, k);
  } else {
    *p++ = d.digits[0];
    if (k > 1) {
      *p++ = '.';
      copy(1, k);
    }
    const int shown = n - 1;
    *p++ = 'e', *p++ = shown < 0 ? '-' : '+';
    const int magnitude = shown < 0 ? -shown : shown;
    if (magnitude < 10) *p++ = '0';
    p = std::to_chars(p, p + 4, magnitude).ptr;
  }
  commit(p);
}

JsonLine& JsonLine::value(bool flag) {
  const std::string_view word = flag ? "true" : "false";
  char* p = separate(room(word.size() + 1));
  copyBytes(p, word.data(), word.size());
  commit(p + word.size());
  return *this;
}

JsonLine& JsonLine::null() {
  char* p = separate(room(5));
  copyBytes(p, "null", 4);
  commit(p + 4);
  return *this;
}

}  // namespace pedivo::calc

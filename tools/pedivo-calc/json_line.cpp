#include "json_line.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

namespace pedivo::calc {

void JsonLine::grow(std::size_t n) { out_.resize(std::max(2 * out_.size(), used_ + n + 4096)); }

void JsonLine::put(std::string_view s) {
  std::memcpy(room(s.size()), s.data(), s.size());
  used_ += s.size();
}

void JsonLine::separate() {
  if (!first_) put(',');
  first_ = false;
}

JsonLine& JsonLine::beginObject() {
  separate();
  put('{');
  first_ = true;
  return *this;
}

JsonLine& JsonLine::endObject() {
  put('}');
  first_ = false;
  return *this;
}

JsonLine& JsonLine::beginArray() {
  separate();
  put('[');
  first_ = true;
  return *this;
}

JsonLine& JsonLine::endArray() {
  put(']');
  first_ = false;
  return *this;
}

JsonLine& JsonLine::key(std::string_view name) {
  separate();
  text(name);
  put(':');
  first_ = true;  // the value follows without a comma
  return *this;
}

JsonLine& JsonLine::value(std::string_view s) {
  separate();
  text(s);
  return *this;
}

JsonLine& JsonLine::value(double number) {
  separate();
  if (!std::isfinite(number)) {
    put("null");  // as nlohmann::json writes a value JSON cannot hold
    return *this;
  }
  appendNumber(number);
  return *this;
}

// The shortest digits that read back as the number (to_chars), laid out as nlohmann::json lays
// them out: plain up to 15 digits before the point with ".0" for a whole number, "0.000ddd" down
// to 1e-4, otherwise "d.ddde-05" with a signed exponent of at least two digits.
void JsonLine::appendNumber(double number) {
  char* const start = room(40);
  char* p = start;
  // Whole numbers below 1e15, most of what a design holds, are their own shortest digits.
  if (std::fabs(number) < 1e15 && std::trunc(number) == number &&
      !(number == 0 && std::signbit(number))) {  // -0.0 is written "-0.0"
    p = std::to_chars(p, p + 24, static_cast<long long>(number)).ptr;
    p[0] = '.', p[1] = '0';
    used_ += static_cast<std::size_t>(p + 2 - start);
    return;
  }
  std::array<char, 40> buffer;
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), number, std::chars_format::scientific);
  const char* sci = buffer.data();
  const char* const sciEnd = result.ptr;
  if (*sci == '-') {
    *p++ = '-';
    ++sci;
  }
  std::array<char, 24> digits;
  int k = 0;
  for (; sci < sciEnd && *sci != 'e'; ++sci)
    if (*sci != '.') digits[static_cast<std::size_t>(k++)] = *sci;
  int exponent = 0;
  ++sci;  // 'e'
  if (*sci == '+') ++sci;
  std::from_chars(sci, sciEnd, exponent);
  const int n = exponent + 1;  // digits before the point
  const auto copy = [&p, &digits](int from, int to) {
    for (int i = from; i < to; ++i) *p++ = digits[static_cast<std::size_t>(i)];
  };
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
    *p++ = digits[0];
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
  used_ += static_cast<std::size_t>(p - start);
}

JsonLine& JsonLine::value(bool flag) {
  separate();
  put(flag ? std::string_view("true") : std::string_view("false"));
  return *this;
}

JsonLine& JsonLine::null() {
  separate();
  put("null");
  return *this;
}

namespace {

constexpr std::uint64_t eachByte(unsigned char b) { return 0x0101010101010101ull * b; }

constexpr std::uint64_t zeroBytes(std::uint64_t w) { return (w - eachByte(1)) & ~w & eachByte(0x80); }

// True when one of eight bytes is not plain printable ASCII or is a quote or a backslash.
constexpr bool needsCare(std::uint64_t w) {
  const std::uint64_t control = (w - eachByte(0x20)) & ~w & eachByte(0x80);
  return ((w & eachByte(0x80)) | control | zeroBytes(w ^ eachByte('"')) | zeroBytes(w ^ eachByte('\\'))) != 0;
}

// Length of the UTF-8 sequence at p, or 0 when the bytes there are not one.
std::size_t sequenceLength(const char* p, const char* end) {
  const auto c = static_cast<unsigned char>(*p);
  const std::size_t length = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
  if (length == 0 || static_cast<std::size_t>(end - p) < length) return 0;
  for (std::size_t k = 1; k < length; ++k)
    if ((static_cast<unsigned char>(p[k]) & 0xC0) != 0x80) return 0;
  return length;
}

}  // namespace

// Quotes a text; bytes that are not UTF-8 become U+FFFD, as dump() does with its replace handler.
// Stretches that need no escape are copied whole; eight bytes are looked at a time.
void JsonLine::text(std::string_view s) {
  static constexpr char hex[] = "0123456789abcdef";
  put('"');
  const char* p = s.data();
  const char* const end = p + s.size();
  const char* plain = p;  // start of the stretch not yet copied
  const auto flush = [&] { put(std::string_view(plain, static_cast<std::size_t>(p - plain))); };
  while (p < end) {
    if (end - p >= 8) {
      std::uint64_t w;
      std::memcpy(&w, p, 8);
      if (!needsCare(w)) {
        p += 8;
        continue;
      }
    }
    const auto c = static_cast<unsigned char>(*p);
    if (c >= 0x20 && c < 0x80 && c != '"' && c != '\\') {
      ++p;
      continue;
    }
    if (c >= 0x80) {
      if (const std::size_t length = sequenceLength(p, end)) {
        p += length;
        continue;
      }
      flush();
      put("\xEF\xBF\xBD");
      plain = ++p;
      continue;
    }
    flush();
    switch (c) {
      case '"':
        put("\\\"");
        break;
      case '\\':
        put("\\\\");
        break;
      case '\b':
        put("\\b");
        break;
      case '\f':
        put("\\f");
        break;
      case '\n':
        put("\\n");
        break;
      case '\r':
        put("\\r");
        break;
      case '\t':
        put("\\t");
        break;
      default: {
        const char escaped[] = {'\\', 'u', '0', '0', hex[c >> 4], hex[c & 0xF]};
        put(std::string_view(escaped, sizeof escaped));
      }
    }
    plain = ++p;
  }
  flush();
  put('"');
}

}  // namespace pedivo::calc

#include "json_line.h"

#include <array>
#include <cmath>
#include <charconv>
#include <string>

namespace pedivo::calc {

void JsonLine::separate() {
  if (!first_) out_ += ',';
  first_ = false;
}

JsonLine& JsonLine::beginObject() {
  separate();
  out_ += '{';
  first_ = true;
  return *this;
}

JsonLine& JsonLine::endObject() {
  out_ += '}';
  first_ = false;
  return *this;
}

JsonLine& JsonLine::beginArray() {
  separate();
  out_ += '[';
  first_ = true;
  return *this;
}

JsonLine& JsonLine::endArray() {
  out_ += ']';
  first_ = false;
  return *this;
}

JsonLine& JsonLine::key(std::string_view name) {
  separate();
  text(name);
  out_ += ':';
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
    out_ += "null";  // as nlohmann::json writes a value JSON cannot hold
    return *this;
  }
  appendNumber(number);
  return *this;
}

// The shortest digits that read back as the number (to_chars), laid out as nlohmann::json lays
// them out: plain up to 15 digits before the point with ".0" for a whole number, "0.000ddd" down
// to 1e-4, otherwise "d.ddde-05" with a signed exponent of at least two digits.
void JsonLine::appendNumber(double number) {
  std::array<char, 64> buffer;
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), number, std::chars_format::scientific);
  std::string_view sci(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
  if (sci.front() == '-') {
    out_ += '-';
    sci.remove_prefix(1);
  }
  const std::size_t e = sci.find('e');
  std::array<char, 24> digits;
  std::size_t k = 0;
  for (std::size_t i = 0; i < e; ++i)
    if (sci[i] != '.') digits[k++] = sci[i];
  int exponent = 0;
  std::from_chars(sci.data() + e + (sci[e + 1] == '+' ? 2 : 1), sci.data() + sci.size(), exponent);
  const int n = static_cast<int>(k) + (exponent - static_cast<int>(k) + 1);  // digits before the point
  const std::string_view d(digits.data(), k);
  if (static_cast<int>(k) <= n && n <= 15) {
    out_.append(d).append(static_cast<std::size_t>(n) - k, '0').append(".0");
  } else if (0 < n && n <= 15) {
    out_.append(d.substr(0, static_cast<std::size_t>(n))).append(".").append(d.substr(static_cast<std::size_t>(n)));
  } else if (-4 < n && n <= 0) {
    out_.append("0.").append(static_cast<std::size_t>(-n), '0').append(d);
  } else {
    out_ += d.front();
    if (k > 1) out_.append(".").append(d.substr(1));
    const int shown = n - 1;
    out_ += shown < 0 ? "e-" : "e+";
    const int magnitude = shown < 0 ? -shown : shown;
    if (magnitude < 10) out_ += '0';
    out_ += std::to_string(magnitude);
  }
}

JsonLine& JsonLine::value(bool flag) {
  separate();
  out_ += flag ? "true" : "false";
  return *this;
}

JsonLine& JsonLine::null() {
  separate();
  out_ += "null";
  return *this;
}

// Quotes a text; bytes that are not UTF-8 become U+FFFD, as dump() does with its replace handler.
// Stretches that need no escape are copied whole.
void JsonLine::text(std::string_view s) {
  static constexpr char hex[] = "0123456789abcdef";
  out_ += '"';
  std::size_t plain = 0;  // start of the stretch not yet copied
  std::size_t i = 0;
  const auto flush = [&] { out_.append(s.data() + plain, i - plain); };
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c >= 0x20 && c < 0x80 && c != '"' && c != '\\') {
      ++i;
      continue;
    }
    if (c >= 0x80) {
      const std::size_t length = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
      bool valid = length != 0 && i + length <= s.size();
      for (std::size_t k = 1; valid && k < length; ++k)
        valid = (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
      if (valid) {
        i += length;
        continue;
      }
      flush();
      out_ += "\xEF\xBF\xBD";
      plain = ++i;
      continue;
    }
    flush();
    switch (c) {
      case '"': out_ += "\\\""; break;
      case '\\': out_ += "\\\\"; break;
      case '\b': out_ += "\\b"; break;
      case '\f': out_ += "\\f"; break;
      case '\n': out_ += "\\n"; break;
      case '\r': out_ += "\\r"; break;
      case '\t': out_ += "\\t"; break;
      default:
        out_ += "\\u00";
        out_ += hex[c >> 4];
        out_ += hex[c & 0xF];
    }
    plain = ++i;
  }
  flush();
  out_ += '"';
}

}  // namespace pedivo::calc

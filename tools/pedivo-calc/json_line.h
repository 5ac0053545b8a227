#pragma once
// Writes one line of compact JSON straight into a string, in the same form nlohmann::json's
// dump() gives (numbers as the shortest text that reads back exactly, whole numbers with ".0",
// text as UTF-8 with only quotes, backslashes and control characters escaped), without building
// a document tree first. The calculator writes several kilobytes a case; this keeps it fast.

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "text_buffer.h"

namespace pedivo::calc {

// A name the program itself defines (a JSON key, a control, a held value, a result field, a
// report tag): printable ASCII without quote or backslash, which JSON takes as it stands.
bool isPlainName(std::string_view name);

class JsonLine {
 public:
  // Appends to `out`.
  explicit JsonLine(TextBuffer& out) : out_(out) {}
  JsonLine(const JsonLine&) = delete;
  JsonLine& operator=(const JsonLine&) = delete;

  JsonLine& beginObject() { return open('{'); }
  JsonLine& endObject() { return close('}'); }
  JsonLine& beginArray() { return open('['); }
  JsonLine& endArray() { return close(']'); }
  // A key, and an array item that is a name: written without looking for bytes to escape.
  JsonLine& key(std::string_view name) {
    assert(isPlainName(name));
    char* p = quoted(separate(room(name.size() + 4)), name);
    *p++ = ':';
    first_ = true;  // the value follows without a comma
    commit(p);
    return *this;
  }
  JsonLine& name(std::string_view name) {
    assert(isPlainName(name));
    commit(quoted(separate(room(name.size() + 3)), name));
    return *this;
  }
  // Any text: escaped where JSON asks for it.
  JsonLine& value(std::string_view text);
  JsonLine& value(const char* text) { return value(std::string_view(text)); }
  JsonLine& value(double number);
  JsonLine& value(bool flag);
  JsonLine& null();

 private:
  // The cursor, with room for n more bytes. Writers fill through a local cursor and hand it back
  // once (commit), so that the position is not reloaded after every byte.
  char* room(std::size_t n) { return out_.room(n); }
  void commit(const char* cursor) { out_.commit(cursor); }
  char* separate(char* cursor) {
    if (!first_) *cursor++ = ',';
    first_ = false;
    return cursor;
  }
  JsonLine& open(char bracket) {
    char* p = separate(room(2));
    *p++ = bracket;
    first_ = true;
    commit(p);
    return *this;
  }
  JsonLine& close(char bracket) {
    char* p = room(1);
    *p++ = bracket;
    first_ = false;
    commit(p);
    return *this;
  }
  static char* quoted(char* cursor, std::string_view plain) {
    *cursor++ = '"';
    copyBytes(cursor, plain.data(), plain.size());
    cursor += plain.size();
    *cursor++ = '"';
    return cursor;
  }
  // Most texts are short: copied in at most four overlapping pieces instead of a call.
  static void copyBytes(char* to, const char* from, std::size_t n) {
    if (n > 16 && n <= 64) {
      struct Piece {
        char bytes[16];
      };
      Piece head, tail;
      std::memcpy(&head, from, 16);
      std::memcpy(&tail, from + n - 16, 16);
      if (n > 32) {
        Piece second, third;
        std::memcpy(&second, from + 16, 16);
        std::memcpy(&third, from + n - 32, 16);
        std::memcpy(to + 16, &second, 16);
        std::memcpy(to + n - 32, &third, 16);
      }
      std::memcpy(to, &head, 16);
      std::memcpy(to + n - 16, &tail, 16);
    } else if (n >= 8 && n <= 16) {
      std::uint64_t head, tail;
      std::memcpy(&head, from, 8);
      std::memcpy(&tail, from + n - 8, 8);
      std::memcpy(to, &head, 8);
      std::memcpy(to + n - 8, &tail, 8);
    } else if (n >= 4 && n < 8) {
      std::uint32_t head, tail;
      std::memcpy(&head, from, 4);
      std::memcpy(&tail, from + n - 4, 4);
      std::memcpy(to, &head, 4);
      std::memcpy(to + n - 4, &tail, 4);
    } else if (n < 4) {
      for (std::size_t i = 0; i < n; ++i) to[i] = from[i];
    } else {
      std::memcpy(to, from, n);
    }
  }
  void escaped(std::string_view s);
  void appendNumber(double number);

  TextBuffer& out_;
  bool first_ = true;  // the next item is the first of its object or array
};

}  // namespace pedivo::calc

#pragma once
// Writes one line of compact JSON straight into a string, in the same form nlohmann::json's
// dump() gives (numbers as the shortest text that reads back exactly, whole numbers with ".0",
// text as UTF-8 with only quotes, backslashes and control characters escaped), without building
// a document tree first. The calculator writes several kilobytes a case; this keeps it fast.

#include <cstddef>
#include <string>
#include <string_view>

namespace pedivo::calc {

// A name the program itself defines (a JSON key, a control, a held value, a result field, a
// report tag): printable ASCII without quote or backslash, which JSON takes as it stands.
bool isPlainName(std::string_view name);

class JsonLine {
 public:
  // Appends to `out`; the text is complete once the writer goes out of scope.
  explicit JsonLine(std::string& out) : out_(out), used_(out.size()) {}
  ~JsonLine() { out_.resize(used_); }
  JsonLine(const JsonLine&) = delete;
  JsonLine& operator=(const JsonLine&) = delete;

  JsonLine& beginObject() { return open('{'); }
  JsonLine& endObject() { return close('}'); }
  JsonLine& beginArray() { return open('['); }
  JsonLine& endArray() { return close(']'); }
  // A key, and an array item that is a name: written without looking for bytes to escape.
  JsonLine& key(std::string_view name);
  JsonLine& name(std::string_view name);
  // Any text: escaped where JSON asks for it.
  JsonLine& value(std::string_view text);
  JsonLine& value(const char* text) { return value(std::string_view(text)); }
  JsonLine& value(double number);
  JsonLine& value(bool flag);
  JsonLine& null();

 private:
  // The cursor, with room for n more bytes. Writers fill through a local cursor and hand it back
  // once (commit), so that the position is not reloaded after every byte.
  char* room(std::size_t n) {
    if (out_.size() - used_ < n) grow(n);
    return out_.data() + used_;
  }
  void commit(const char* cursor) { used_ = static_cast<std::size_t>(cursor - out_.data()); }
  char* separate(char* cursor) {
    if (!first_) *cursor++ = ',';
    first_ = false;
    return cursor;
  }
  JsonLine& open(char bracket);
  JsonLine& close(char bracket);
  void grow(std::size_t n);
  char* quoted(char* cursor, std::string_view plain);
  void escaped(std::string_view s);
  void appendNumber(double number);

  std::string& out_;  // written up to used_; beyond that, room not yet written
  std::size_t used_;
  bool first_ = true;  // the next item is the first of its object or array
};

}  // namespace pedivo::calc

#pragma once
// Writes one line of compact JSON straight into a string, in the same form nlohmann::json's
// dump() gives (numbers as the shortest text that reads back exactly, whole numbers with ".0",
// text as UTF-8 with only quotes, backslashes and control characters escaped), without building
// a document tree first. The calculator writes several kilobytes a case; this keeps it fast.

#include <cstddef>
#include <string>
#include <string_view>

namespace pedivo::calc {

class JsonLine {
 public:
  // Appends to `out`; the text is complete once the writer goes out of scope.
  explicit JsonLine(std::string& out) : out_(out), used_(out.size()) {}
  ~JsonLine() { out_.resize(used_); }
  JsonLine(const JsonLine&) = delete;
  JsonLine& operator=(const JsonLine&) = delete;

  JsonLine& beginObject();
  JsonLine& endObject();
  JsonLine& beginArray();
  JsonLine& endArray();
  JsonLine& key(std::string_view name);
  JsonLine& value(std::string_view text);
  JsonLine& value(const char* text) { return value(std::string_view(text)); }
  JsonLine& value(double number);
  JsonLine& value(bool flag);
  JsonLine& null();

 private:
  // Room for n more bytes at the cursor.
  char* room(std::size_t n) {
    if (out_.size() - used_ < n) grow(n);
    return out_.data() + used_;
  }
  void grow(std::size_t n);
  void put(char c) { *room(1) = c, ++used_; }
  void put(std::string_view s);
  void separate();
  void appendNumber(double number);
  void text(std::string_view s);

  std::string& out_;  // written up to used_; beyond that, room not yet written
  std::size_t used_;
  bool first_ = true;  // the next item is the first of its object or array
};

}  // namespace pedivo::calc

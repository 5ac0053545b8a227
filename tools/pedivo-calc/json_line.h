#pragma once
// Writes one line of compact JSON straight into a string, in the same form nlohmann::json's
// dump() gives (numbers as the shortest text that reads back exactly, whole numbers with ".0",
// text as UTF-8 with only quotes, backslashes and control characters escaped), without building
// a document tree first. The calculator writes several kilobytes a case; this keeps it fast.

#include <string>
#include <string_view>

namespace pedivo::calc {

class JsonLine {
 public:
  explicit JsonLine(std::string& out) : out_(out) {}

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
  void separate();
  void appendNumber(double number);
  void text(std::string_view s);

  std::string& out_;
  bool first_ = true;  // the next item is the first of its object or array
};

}  // namespace pedivo::calc

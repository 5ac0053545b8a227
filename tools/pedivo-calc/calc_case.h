#pragma once
// One case of the headless calculator: JSON in, JSON out, through the same session the input
// windows use.

#include <simdjson.h>

#include <istream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "design/common/design_session.h"
#include "design/drawing/base_drawing.h"
#include "design/drawing/issued_sheet.h"
#include "line_options.h"
#include "text_buffer.h"

namespace pedivo::calc {

struct CaseResult {
  std::string output;                            // the line to print, without its line end
  bool failed = false;                           // the case could not be read
  std::optional<std::string> moduleId;           // for --report
  std::vector<TagText> report;                   // tag texts at the end of the case, when asked for
  // The drawing of the case's design, or why there is none, when asked for.
  std::optional<std::variant<drawing::Drawing, drawing::DrawingRefusal>> drawing;
  // The sheet to scale for the DXF file, when the drawing is asked for.
  std::optional<std::variant<drawing::Drawing, drawing::DrawingRefusal>> sheet = std::nullopt;
  bool entriesChanged = false;  // "after" changed the entries: report and drawing are of the last calculation
  std::optional<std::string> id = std::nullopt;  // the case's "id", when it has one
};

// A line of blanks only: no case, no output.
inline bool isBlankLine(const std::string& line) { return line.find_first_not_of(" \t\r") == std::string::npos; }

// A case line longer than this is refused unread: a real case is a few hundred bytes, a hundred
// steps some tens of kilobytes, and a line is held whole while it is read.
inline constexpr std::size_t longestLine = 1u << 20;
std::string lineTooLongMessage();

// Reads the next line into `line` (without its line feed) using `room` (longestLine + 1 bytes,
// kept from call to call). A longer line is skipped to its end and gives TooLong.
enum class LineRead { Line, TooLong, End };
LineRead readLine(std::istream& in, std::string& line, std::vector<char>& room);

// {"error": message}
std::string errorLine(const std::string& message);
void appendErrorLine(TextBuffer& out, const std::string& message);

// Runs one JSON Lines case; never throws.
CaseResult runCase(const std::string& line, bool withReport = false, bool withDrawing = false,
                   bool withDetail = false);

// Reads lines of the usual shape, {"module": "j1", "entries": {"EdtN": "2000"}, "cbsize": true},
// without building a JSON document; its parser's room is kept from line to line. A line of any
// other shape, or one the session refuses, is left to the general reading, which gives the
// exact message, so what a line gives never depends on which reading took it.
class QuickCaseReader {
 public:
  // The window of the line's base type with the line's entries in it, or nothing. One window a
  // base type is kept and set back to a just-opened window for each line.
  DesignSession* read(const std::string& line);
  // The line last read asked for the detailed output ("detail": true).
  bool detail() const { return detail_; }

 private:
  simdjson::dom::parser parser_;
  std::map<const ModuleDescriptor*, DesignSession> sessions_;
  bool detail_ = false;
};

// Appends what runCase gives for the line, and a line feed, to `out`; true when the case failed.
bool appendCase(const std::string& line, TextBuffer& out, QuickCaseReader& reader, LineOptions options = {});

}  // namespace pedivo::calc

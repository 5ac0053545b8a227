#pragma once
// The one reading loop of pedivo-calc's JSON Lines modes: every input in turn (standard input when
// none is named), line by line, handed to the mode that designs the cases.

#include <string>
#include <vector>

namespace pedivo::calc {

// What a mode does with the lines it is handed.
class CaseLines {
 public:
  virtual ~CaseLines() = default;

  // Asked before each line is read: false stops the reading of the current input.
  virtual bool wantsLines() const = 0;
  // Asked after each input file: false stops the reading before the next one.
  virtual bool wantsInputs() const = 0;
  // A line, without its line feed; inputWaiting tells whether more can be read without waiting.
  virtual void line(std::string&& text, bool inputWaiting) = 0;
  // A line longer than longestLine, skipped unread.
  virtual void lineTooLong() = 0;
  // After the last line of each input.
  virtual void inputDone() = 0;
  // An input file that cannot be opened (or a folder); false stops the reading there.
  virtual bool cannotOpen(const std::string& name) = 0;
};

// Reads the inputs into `lines`; false when the reading stopped at a file that could not be opened.
bool readCaseLines(const std::vector<std::string>& inputs, CaseLines& lines);

}  // namespace pedivo::calc

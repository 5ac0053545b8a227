#pragma once
// File names for a batch of reports, one report a design, each named by the design's id (the
// member it is for): names that Linux, Windows and a memory stick formatted for either all
// accept, and never the same name twice in one batch.

#include <cstddef>
#include <set>
#include <string>

namespace pedivo {

// The part of a file name an id gives, or "" when nothing of it can stand in a file name.
// Characters no file name may hold (/ \ : * ? " < > | and control characters) become "_";
// blanks and dots at either end go (a leading dot would hide the file, a trailing one Windows
// drops); a name Windows keeps for a device (CON, NUL, COM1 …, also with an ending) gets a
// leading "_"; a name over `longestStem` bytes is cut at a character's start.
inline constexpr std::size_t longestStem = 100;
std::string safeFileStem(const std::string& id);

class ReportNames {
 public:
  // The file name (with `ending`) of the next design's report: its id made safe, or its number
  // in the batch (counted from 1) when the id gives nothing. A name this batch has given already
  // (letters compared without regard to case, as Windows compares them) gets " (2)", " (3)" …
  std::string next(const std::string& id, std::size_t number, const std::string& ending = ".docx");

  // Keeps a name from being given, a file already in the folder for one (with its ending).
  void take(const std::string& fileName);

 private:
  bool taken(const std::string& fileName) const;
  std::set<std::string> taken_;  // lower-cased
};

}  // namespace pedivo

#include "case_input.h"

#include <filesystem>
#include <fstream>
#include <iostream>

#include "calc_case.h"

namespace pedivo::calc {
namespace {

// Opens an input file; a folder or a file that cannot be read gives false.
bool openInput(const std::string& name, std::ifstream& file) {
  std::error_code ec;
  if (!std::filesystem::is_directory(name, ec)) file.open(name);
  return file.is_open();
}

void readStream(std::istream& in, CaseLines& lines, std::vector<char>& room) {
  std::string line;
  while (lines.wantsLines()) {
    const LineRead read = readLine(in, line, room);
    if (read == LineRead::End) break;
    if (read == LineRead::TooLong) {
      lines.lineTooLong();
    } else {
      lines.line(std::move(line), in.rdbuf()->in_avail() > 0);
    }
  }
  lines.inputDone();
}

}  // namespace

bool readCaseLines(const std::vector<std::string>& inputs, CaseLines& lines) {
  std::vector<char> room;  // a line's room, kept from line to line
  if (inputs.empty()) {
    readStream(std::cin, lines, room);
    return true;
  }
  for (const auto& name : inputs) {
    // Large reads: a line of input is short, and each read is a call into the system. The buffer
    // outlives the file that reads into it.
    std::vector<char> buffer(256 * 1024);
    std::ifstream file;
    file.rdbuf()->pubsetbuf(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    if (!openInput(name, file)) {
      if (!lines.cannotOpen(name)) return false;
      continue;
    }
    readStream(file, lines, room);
    if (!lines.wantsInputs()) break;
  }
  return true;
}

}  // namespace pedivo::calc

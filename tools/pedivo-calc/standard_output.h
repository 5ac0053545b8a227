#pragma once
// pedivo-calc's results on standard output; the C streams are not used.

#include <iostream>
#include <string_view>

namespace pedivo::calc {

// Writes a block of whole output lines. False when the output cannot be written (a full disk).
inline bool writeOutput(std::string_view lines) {
  std::cout.write(lines.data(), static_cast<std::streamsize>(lines.size()));
  return static_cast<bool>(std::cout);
}

// Hands the written lines on. Done whenever the next input line is not already waiting, so that a
// pipe sees each result as soon as it is computed and nothing computed waits on more input, while
// a large input file is written in large blocks.
inline bool flushOutput() {
  std::cout.flush();
  return static_cast<bool>(std::cout);
}

// Told on standard error, with exit status 2, when the results could not be written.
inline constexpr std::string_view cannotWriteOutput = "pedivo-calc: 无法写出结果 (cannot write the output)\n";

}  // namespace pedivo::calc

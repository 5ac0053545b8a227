#pragma once
// Reading a small file whole: design files and batch tables.

#include <cstdint>
#include <filesystem>
#include <string>
#include <variant>

namespace pedivo {

struct FileProblem {
  std::string reason;  // Chinese, without the file's name
};

// The file's bytes; a folder, a missing or unreadable file, or one over maximumSize is a problem.
std::variant<std::string, FileProblem> readFileText(const std::filesystem::path& path, std::uintmax_t maximumSize);

}  // namespace pedivo

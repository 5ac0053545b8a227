#pragma once
// Writing a file so that it is either wholly new or untouched.

#include <filesystem>
#include <optional>
#include <string>

namespace pedivo {

// Writes text to a temporary file beside path and renames it over path, so a failed write never
// leaves a half-written file. A symbolic link is written through and stays a link; a file the
// user may not write is refused. Returns the reason on failure (without the file's name).
std::optional<std::string> replaceFile(const std::filesystem::path& path, const std::string& text);

}  // namespace pedivo

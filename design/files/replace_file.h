#pragma once
// Writing a file so that it is either wholly new or untouched.

#include <filesystem>
#include <optional>
#include <string>
#include <variant>

#include "design/files/file_text.h"

namespace pedivo {

// The file a write to path changes: through a symbolic link to the file it names. A file the user
// may not write, or something that is not a file, is refused.
std::variant<std::filesystem::path, FileProblem> writableTarget(const std::filesystem::path& path);

// Writes text to a temporary file beside path and renames it over path, so a failed write never
// leaves a half-written file. A symbolic link is written through and stays a link; a file the
// user may not write is refused. Returns the reason on failure (without the file's name).
std::optional<std::string> replaceFile(const std::filesystem::path& path, const std::string& text);

// Moves a finished temporary file over the target: it takes the permissions of the file it
// replaces (readable by all for a new one). The temporary file is removed on failure.
std::optional<std::string> moveOver(const std::string& temporary, const std::filesystem::path& target);

}  // namespace pedivo

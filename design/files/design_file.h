#pragma once
// Design files (.pedivo): one input window's entries, saved and opened again. The file is UTF-8
// JSON in the shape of one pedivo-calc case, {"module": "j1", "entries": {...}, "cbsize": true},
// so a saved design runs headless unchanged and a pedivo-calc case opens in a window. The project
// block, when any of it is filled in, is saved as "project": {"name": …}; a file without it (as
// every file written before the block existed) opens with an empty one. A check of given sizes
// adds "mode": "check" and its "sizes": {"tpb": 25, …}; a file without them is a design. Several load
// combinations are saved as "loads": [{"name": …, "N": …, "V": …, "M": …}, …] in place of the
// entries N, V and M.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "design/common/load_combination.h"
#include "design/common/module.h"
#include "design/common/project.h"

namespace pedivo {

inline constexpr const char* designFileExtension = ".pedivo";

struct DesignFile {
  const ModuleDescriptor* module = nullptr;
  Entries entries;  // every control's text and cbsize, as the window shows them
  Project project;
  // A check of given sizes ("mode": "check" with its "sizes"); none for a design.
  std::optional<Sizes> sizes;
  // The load combinations; none where the entries' N, V and M are the one set of forces.
  std::vector<LoadCombination> loads;
};

// The file's text: every control of the base type in the window's order, and cbsize where the
// window has it.
std::string designFileText(const ModuleDescriptor& module, const Entries& entries, const Project& project = {},
                           const std::optional<Sizes>& sizes = std::nullopt,
                           const std::vector<LoadCombination>& loads = {});

// Reads a design from its text. Refuses what is not a design: unreadable text, an unknown base type or
// key, a control the base type lacks, a text a list does not offer, a text that is not a string.
// A pedivo-calc case with steps gives the entries its steps leave. The error says the problem.
std::variant<DesignFile, std::string> parseDesignFile(std::string_view text);

// Reads and parses a file; errors name the file.
std::variant<DesignFile, std::string> readDesignFile(const std::filesystem::path& path);

// Writes the design to a temporary file beside the target and renames it over the target, so a
// failed save never leaves a half-written file. Returns the error, naming the file, if any.
std::optional<std::string> writeDesignFile(const std::filesystem::path& path, const ModuleDescriptor& module,
                                           const Entries& entries, const Project& project = {},
                                           const std::optional<Sizes>& sizes = std::nullopt,
                                           const std::vector<LoadCombination>& loads = {});

}  // namespace pedivo

#pragma once
// Where Pedivo finds its shipped files and keeps the user's, following the XDG base directory
// conventions. A report template is looked for in three places, the first that has it wins:
//   1. the user's templates, $XDG_DATA_HOME/pedivo/templates (~/.local/share/pedivo/templates), so
//      that an engineer edits a template without write access to the program's folder;
//   2. the installed templates, <prefix>/share/pedivo/templates, where <prefix> is the folder above
//      the program's own (/usr for /usr/bin/pedivo): a copy installed under another prefix finds
//      its own files;
//   3. the program's own folder, as in the build folder.
// The diagrams are looked for in the installed folder, then beside the program.

#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pedivo {

// The value of an environment variable; none when it is unset. Tests give their own.
using Environment = std::function<std::optional<std::string>(std::string_view name)>;
Environment processEnvironment();

struct DataFolders {
  std::filesystem::path user;       // the user's own data: ~/.local/share/pedivo; empty when unknown
  std::filesystem::path installed;  // <prefix>/share/pedivo
  std::filesystem::path program;    // the folder of the running program
  std::filesystem::path reports;    // written reports before the word processor opens them: ~/.cache/pedivo/reports
};

// The folders of a program in programFolder, for the user the environment describes. An XDG
// variable that is unset, empty or not an absolute path falls back to its default under $HOME.
DataFolders dataFolders(const Environment& environment, const std::filesystem::path& programFolder);

// The folder of the running program (through /proc/self/exe); the working folder when it cannot
// be read.
std::filesystem::path runningProgramFolder();

std::filesystem::path userTemplateFolder(const DataFolders& folders);

// The folders a template is looked for in, in order; a folder whose path is empty is left out.
std::vector<std::filesystem::path> templateSearchPath(const DataFolders& folders);
std::vector<std::filesystem::path> diagramSearchPath(const DataFolders& folders);

// The first of the folders that holds a file (or a link to one) of that name. When none does, the
// path in the last folder, so that the failure names the shipped place.
std::filesystem::path findDataFile(const std::vector<std::filesystem::path>& searchPath, std::string_view name);

// Creates the user's template folder (with its parents) and a note in it on how templates are
// used; an existing folder and note are left as they are. The reason in Chinese when it fails.
std::optional<std::string> makeUserTemplateFolder(const DataFolders& folders);

// Removes the reports written into the folder more than maxAge seconds before now: each was only
// kept until the word processor had opened it as a new document.
void removeOldReports(const std::filesystem::path& folder, std::filesystem::file_time_type now,
                      std::chrono::seconds maxAge);

}  // namespace pedivo

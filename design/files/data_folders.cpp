#include "design/files/data_folders.h"

#include <cstdlib>
#include <fstream>
#include <system_error>

#include "design/common/system_reason.h"

namespace pedivo {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view programName = "pedivo";

// An XDG variable counts only when it holds an absolute path; otherwise its default under $HOME.
fs::path baseFolder(const Environment& environment, std::string_view variable, const fs::path& underHome) {
  if (const auto value = environment(variable); value && fs::path(*value).is_absolute()) return *value;
  if (const auto home = environment("HOME"); home && fs::path(*home).is_absolute()) return fs::path(*home) / underHome;
  return {};
}

fs::path inside(const fs::path& base, const fs::path& relative) { return base.empty() ? fs::path() : base / relative; }

std::vector<fs::path> withoutEmpty(std::initializer_list<fs::path> folders) {
  std::vector<fs::path> kept;
  for (const auto& folder : folders)
    if (!folder.empty()) kept.push_back(folder);
  return kept;
}

constexpr std::string_view templateNote =
    "计算书模板\n\n"
    "放在这个文件夹中的计算书模板（j1.docx、j2.docx、g11.docx、g12.docx、g2.docx、g3.docx、gc.docx）优先于"
    "程序自带的模板使用。\n"
    "从程序自带的模板文件夹复制一份到这里，用 Word、WPS 或 LibreOffice 编辑后保存，保持文件名不变；"
    "模板中形如 <#hb> 的标签会被计算结果替换。删除这里的模板即恢复使用自带的模板。\n";

}  // namespace

Environment processEnvironment() {
  return [](std::string_view name) -> std::optional<std::string> {
    const char* value = std::getenv(std::string(name).c_str());
    if (value == nullptr || *value == '\0') return std::nullopt;
    return std::string(value);
  };
}

DataFolders dataFolders(const Environment& environment, const fs::path& programFolder) {
  DataFolders folders;
  folders.user = inside(baseFolder(environment, "XDG_DATA_HOME", ".local/share"), programName);
  folders.reports = inside(baseFolder(environment, "XDG_CACHE_HOME", ".cache"), fs::path(programName) / "reports");
  folders.program = programFolder;
  // /usr/bin/ and /usr/bin name the same folder; its parent is the prefix.
  const fs::path program = programFolder.has_filename() ? programFolder : programFolder.parent_path();
  if (program.has_parent_path() && program.parent_path() != program)
    folders.installed = program.parent_path() / "share" / programName;
  return folders;
}

fs::path runningProgramFolder() {
  std::error_code ec;
  const auto self = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::current_path(ec) : self.parent_path();
}

fs::path userTemplateFolder(const DataFolders& folders) { return inside(folders.user, "templates"); }

std::vector<fs::path> templateSearchPath(const DataFolders& folders) {
  return withoutEmpty({userTemplateFolder(folders), inside(folders.installed, "templates"), folders.program});
}

std::vector<fs::path> diagramSearchPath(const DataFolders& folders) {
  return withoutEmpty({inside(folders.installed, "diagrams"), folders.program});
}

fs::path findDataFile(const std::vector<fs::path>& searchPath, std::string_view name) {
  for (const auto& folder : searchPath) {
    std::error_code ec;
    if (fs::is_regular_file(folder / name, ec)) return folder / name;
  }
  return searchPath.empty() ? fs::path(name) : searchPath.back() / name;
}

std::optional<std::string> makeUserTemplateFolder(const DataFolders& folders) {
  const fs::path folder = userTemplateFolder(folders);
  if (folder.empty()) return std::string("找不到用户的主文件夹（环境变量 HOME 未设置），无法建立模板文件夹。");
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec) return "无法建立模板文件夹“" + folder.string() + "”：" + systemReason(ec);
  if (!fs::is_directory(folder, ec)) return "无法建立模板文件夹“" + folder.string() + "”：已有同名的文件";
  const fs::path note = folder / "说明.txt";
  if (!fs::exists(note, ec)) {
    std::ofstream out(note, std::ios::binary);
    out << templateNote;
  }
  return std::nullopt;
}

void removeOldReports(const fs::path& folder, fs::file_time_type now, std::chrono::seconds maxAge) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path& path = it->path();
    const auto extension = path.extension();
    if (extension != ".dotx" && extension != ".docx") continue;
    std::error_code entryError;
    if (!it->is_regular_file(entryError) || entryError) continue;
    const auto written = it->last_write_time(entryError);
    if (!entryError && now - written > maxAge) fs::remove(path, entryError);
  }
}

}  // namespace pedivo

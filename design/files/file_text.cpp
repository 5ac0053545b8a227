#include "design/files/file_text.h"

#include <cerrno>
#include <fstream>
#include <iterator>

#include "design/common/system_reason.h"

namespace pedivo {

std::variant<std::string, FileProblem> readFileText(const std::filesystem::path& path, std::uintmax_t maximumSize) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return FileProblem{"这是一个文件夹"};
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec == std::errc::no_such_file_or_directory) return FileProblem{"文件不存在"};
  if (ec == std::errc::permission_denied) return FileProblem{"没有读取权限"};
  if (ec) return FileProblem{systemReason(ec)};
  if (size > maximumSize) {
    const std::uintmax_t megabytes = maximumSize >> 20;
    return FileProblem{megabytes > 0 ? "文件过大（超过 " + std::to_string(megabytes) + " MB）"
                                     : std::string("文件过大")};
  }
  errno = 0;
  std::ifstream file(path, std::ios::binary);
  if (!file.is_open()) return FileProblem{errno == EACCES || errno == EPERM ? "没有读取权限" : systemReason(errno)};
  std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) return FileProblem{"读取时出错"};
  return text;
}

}  // namespace pedivo

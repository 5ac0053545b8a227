#include "design/files/file_text.h"

#include <fstream>
#include <iterator>

namespace pedivo {

std::variant<std::string, FileProblem> readFileText(const std::filesystem::path& path, std::uintmax_t maximumSize) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return FileProblem{"这是一个文件夹"};
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec) return FileProblem{ec.message()};
  if (size > maximumSize) {
    const std::uintmax_t megabytes = maximumSize >> 20;
    return FileProblem{megabytes > 0 ? "文件过大（超过 " + std::to_string(megabytes) + " MB）"
                                     : std::string("文件过大")};
  }
  std::ifstream file(path, std::ios::binary);
  if (!file.is_open()) return FileProblem{"无法打开"};
  std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) return FileProblem{"读取失败"};
  return text;
}

}  // namespace pedivo

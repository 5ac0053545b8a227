#include "design/files/replace_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace pedivo {

std::variant<std::filesystem::path, FileProblem> writableTarget(const std::filesystem::path& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path target = path;
  if (fs::is_symlink(fs::symlink_status(path, ec))) {
    target = fs::weakly_canonical(path, ec);
    if (ec) return FileProblem{"无法解析符号链接"};
  }
  if (fs::exists(target, ec)) {
    if (!fs::is_regular_file(target, ec)) return FileProblem{"不是普通文件"};
    if (::access(target.c_str(), W_OK) != 0) return FileProblem{"没有写入权限"};
  }
  return target;
}

std::optional<std::string> replaceFile(const std::filesystem::path& path, const std::string& text) {
  const auto resolved = writableTarget(path);
  if (const auto* problem = std::get_if<FileProblem>(&resolved)) return problem->reason;
  const std::filesystem::path& target = std::get<std::filesystem::path>(resolved);
  std::string tempName = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(tempName.data());
  if (fd < 0) return std::string(std::strerror(errno));
  std::FILE* file = ::fdopen(fd, "wb");
  bool written = file != nullptr && std::fwrite(text.data(), 1, text.size(), file) == text.size();
  written = file != nullptr && std::fflush(file) == 0 && ::fsync(fd) == 0 && written;
  const int writeErrno = errno;
  if (file != nullptr) {
    std::fclose(file);
  } else {
    ::close(fd);
  }
  if (!written) {
    ::unlink(tempName.c_str());
    return std::string(std::strerror(writeErrno != 0 ? writeErrno : EIO));
  }
  return moveOver(tempName, target);
}

std::optional<std::string> moveOver(const std::string& temporary, const std::filesystem::path& target) {
  struct stat existing {};
  ::chmod(temporary.c_str(), ::stat(target.c_str(), &existing) == 0 ? existing.st_mode & 07777 : 0644);
  if (std::rename(temporary.c_str(), target.c_str()) != 0) {
    const int renameErrno = errno;
    ::unlink(temporary.c_str());
    return std::string(std::strerror(renameErrno));
  }
  return std::nullopt;
}

}  // namespace pedivo

#include "design/files/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "design/common/system_reason.h"

namespace pedivo {
namespace fs = std::filesystem;
namespace {

// The reason a system call gives, in the user's words where it is a usual one.
std::string reasonFor(int code) {
  switch (code) {
    case EACCES:
    case EPERM:
      return "没有写入权限";
    case ENOENT:
      return "文件夹不存在";
    default:
      return systemReason(code != 0 ? code : EIO);
  }
}

}  // namespace

std::variant<fs::path, FileProblem> writableTarget(const fs::path& path) {
  std::error_code ec;
  if (path.empty()) return FileProblem{"没有给出文件名"};
  // Followed link by link: a link to a missing file has no canonical form to ask for.
  fs::path target = path;
  for (int links = 0; fs::is_symlink(fs::symlink_status(target, ec)); ++links) {
    if (links == 40) return FileProblem{"符号链接层数过多"};
    const fs::path next = fs::read_symlink(target, ec);
    if (ec) return FileProblem{"无法解析符号链接"};
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  // Writing would create a file wherever the link happens to point, maybe in a folder that does
  // not exist; the user meant an existing file.
  if (target != path && !fs::exists(fs::symlink_status(target, ec))) return FileProblem{"符号链接指向的文件不存在"};
  const fs::file_status status = fs::status(target, ec);
  if (fs::exists(status)) {
    if (!fs::is_regular_file(status)) return FileProblem{"不是普通文件"};
    if (::access(target.c_str(), W_OK) != 0) return FileProblem{"没有写入权限"};
  } else if (ec && ec != std::errc::no_such_file_or_directory) {
    return FileProblem{reasonFor(ec.value())};
  }
  return target;
}

std::variant<FileReplacement, FileProblem> FileReplacement::begin(const fs::path& path) {
  auto resolved = writableTarget(path);
  if (auto* problem = std::get_if<FileProblem>(&resolved)) return std::move(*problem);
  fs::path target = std::move(std::get<fs::path>(resolved));
  std::string name = (target.parent_path() / (std::string(temporaryPrefix) + "XXXXXX")).string();
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return FileProblem{reasonFor(errno)};
  return FileReplacement(std::move(target), fs::path(name), fd);
}

FileReplacement::FileReplacement(FileReplacement&& other) noexcept
    : target_(std::move(other.target_)),
      temporary_(std::move(other.temporary_)),
      fd_(other.fd_),
      writeErrno_(other.writeErrno_),
      done_(other.done_) {
  other.fd_ = -1;
  other.done_ = true;
}

FileReplacement::~FileReplacement() { discard(); }

void FileReplacement::discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!done_) ::unlink(temporary_.c_str());
  done_ = true;
}

bool FileReplacement::write(std::string_view bytes) {
  while (writeErrno_ == 0 && !bytes.empty()) {
    const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      writeErrno_ = n < 0 ? errno : EIO;
      break;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return writeErrno_ == 0;
}

std::optional<std::string> FileReplacement::commit() {
  if (done_) return std::string("文件已经写完");
  const auto fail = [this](int code) {
    discard();
    return std::optional<std::string>(reasonFor(code));
  };
  if (writeErrno_ != 0) return fail(writeErrno_);
  struct stat existing {};
  const bool replacing = ::stat(target_.c_str(), &existing) == 0;
  const mode_t mode = replacing ? existing.st_mode & 07777 : 0644;
  // A file that holds something is replaced only once the new text is on the disk, so that a
  // crash leaves the one or the other, and a disk that reports itself full only when the data
  // reaches it fails here. A new file, or the empty one claimed for a new report, has nothing to
  // lose and is not waited for; its close still reports a full disk.
  if (replacing && existing.st_size > 0 && ::fsync(fd_) != 0) return fail(errno);
  if (::fchmod(fd_, mode) != 0) return fail(errno);
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) return fail(errno);
  if (std::rename(temporary_.c_str(), target_.c_str()) != 0) return fail(errno);
  done_ = true;
  // The new name on disk too; the file is in place whatever this says, so it is not a failure.
  const fs::path folder = target_.has_parent_path() ? target_.parent_path() : fs::path(".");
  if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return std::nullopt;
}

std::optional<std::string> replaceFile(const fs::path& path, std::string_view text) {
  auto started = FileReplacement::begin(path);
  if (auto* problem = std::get_if<FileProblem>(&started)) return problem->reason;
  auto& file = std::get<FileReplacement>(started);
  file.write(text);
  return file.commit();
}

}  // namespace pedivo

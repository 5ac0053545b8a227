#pragma once
// The one way Pedivo writes a file: reports, design files, CSV and Excel tables, DXF drawings,
// PNG and SVG pictures. The target is checked first (a regular file or a symbolic link to one,
// which the user may write), the new content goes into a temporary file in the target's folder,
// and only a complete file is renamed over the target: every write, the flush to disk and the
// close must succeed first. A failed write (a full disk) leaves the target byte for byte as it was
// and no temporary file behind.
//
// The temporary file has a short name of its own (".pedivo-XXXXXX"), not one made from the
// target's: a target whose name is as long as the file system allows can still be replaced.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "design/files/file_text.h"

namespace pedivo {

// The name every temporary file starts with.
inline constexpr std::string_view temporaryPrefix = ".pedivo-";

// The file a write to path changes: a link is followed to the file it names. Refused: a target
// that is not a regular file (a folder, a device, a pipe), a link whose file does not exist, a
// file the user may not write.
std::variant<std::filesystem::path, FileProblem> writableTarget(const std::filesystem::path& path);

// A new version of a file, written beside it and put in its place by commit(). Content goes in
// through write(); a library that can only write by name (libxlsxwriter) writes to temporary()
// and its caller checks what it wrote before commit(). Dropped without commit(), the temporary
// file is removed and the target is untouched.
class FileReplacement {
 public:
  // Checks the target and creates the temporary file; the reason (Chinese) when either fails.
  static std::variant<FileReplacement, FileProblem> begin(const std::filesystem::path& path);

  FileReplacement(FileReplacement&& other) noexcept;
  FileReplacement& operator=(FileReplacement&&) = delete;
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;
  ~FileReplacement();

  const std::filesystem::path& target() const { return target_; }
  const std::filesystem::path& temporary() const { return temporary_; }

  // Appends to the temporary file; false once anything failed.
  bool write(std::string_view bytes);
  // Flushes the temporary file to disk, gives it the target's permissions (or rw-r--r-- for a new
  // file), closes it and renames it over the target, each step checked. The reason on failure.
  std::optional<std::string> commit();

 private:
  FileReplacement(std::filesystem::path target, std::filesystem::path temporary, int fd)
      : target_(std::move(target)), temporary_(std::move(temporary)), fd_(fd) {}
  void discard();

  std::filesystem::path target_;
  std::filesystem::path temporary_;
  int fd_ = -1;
  int writeErrno_ = 0;
  bool done_ = false;
};

// Writes text as the new content of path. Returns the reason on failure (without the file's name).
std::optional<std::string> replaceFile(const std::filesystem::path& path, std::string_view text);

}  // namespace pedivo

#pragma once
// One part of a zip package (a .docx or .xlsx), as its text; none when the package or the part
// cannot be read.

#include <zip.h>

#include <filesystem>
#include <optional>
#include <string>

namespace pedivo::testing {

inline std::optional<std::string> packagePart(const std::filesystem::path& package, const std::string& name) {
  int error = 0;
  zip_t* archive = zip_open(package.c_str(), ZIP_RDONLY, &error);
  if (archive == nullptr) return std::nullopt;
  std::optional<std::string> data;
  zip_stat_t stat;
  if (zip_stat(archive, name.c_str(), 0, &stat) == 0) {
    if (zip_file_t* file = zip_fopen(archive, name.c_str(), 0)) {
      std::string bytes(stat.size, '\0');
      if (zip_fread(file, bytes.data(), stat.size) == static_cast<zip_int64_t>(stat.size)) data = std::move(bytes);
      zip_fclose(file);
    }
  }
  zip_discard(archive);
  return data;
}

}  // namespace pedivo::testing

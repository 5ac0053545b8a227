#pragma once
// Between the core's UTF-8 texts and Qt's strings.

#include <QString>
#include <filesystem>
#include <string>

#include "design/common/check_text.h"

namespace pedivo::forms {

inline QString qs(const std::string& text) { return QString::fromStdString(text); }
inline QString qs(const CheckText& text) { return QString::fromUtf8(text.view().data(), qsizetype(text.size())); }
inline std::string ss(const QString& text) { return text.toStdString(); }
// A file or folder as the file system names it: through UTF-16, so that a folder with Chinese
// characters is found on every system, not only where narrow names are UTF-8.
inline std::filesystem::path localPath(const QString& path) { return std::filesystem::path(path.toStdU16String()); }
// A path as Qt shows and opens it.
inline QString qpath(const std::filesystem::path& path) { return QString::fromStdU16String(path.u16string()); }

}  // namespace pedivo::forms

#pragma once
// Between the core's UTF-8 texts and Qt's strings.

#include <QString>
#include <string>

namespace pedivo::forms {

inline QString qs(const std::string& text) { return QString::fromStdString(text); }
inline std::string ss(const QString& text) { return text.toStdString(); }

}  // namespace pedivo::forms

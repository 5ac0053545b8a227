#pragma once
// Diagrams of the base types, drawn by our own code.

#include <QImage>
#include <QSize>
#include <string>

namespace pedivo::forms {

// The diagram of a base type (by its template name: "j1", "gc", ...) at the given size.
QImage diagramImage(const std::string& moduleId, QSize size);

}  // namespace pedivo::forms

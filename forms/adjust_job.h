#pragma once
// 自动调整 away from the window's thread. Most searches end within a moment; a long one (a
// thousand calculations) shows a window-modal progress dialog with the count of designs tried and
// a "取消" button, and the window keeps repainting meanwhile.

#include <QWidget>
#include <optional>
#include <vector>

#include "design/adjust/adjust.h"

namespace pedivo::forms {

// adjust::adjustDesign on a worker thread; nothing when the user cancelled it.
std::optional<adjust::SearchResult> adjustInBackground(QWidget* parent, const ModuleDescriptor& module,
                                                       const Entries& entries,
                                                       const std::vector<LoadCombination>& loads = {});

}  // namespace pedivo::forms

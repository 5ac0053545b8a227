#pragma once
// The 自动调整 dialog: the proposal's changed entries (old → new), its sizes, weight and
// utilisations beside the current design's; "采用" accepts, "取消" rejects. When nothing passes it
// says so and shows the best candidate found with its remedies, and "采用" is disabled.

#include <QDialog>

#include "design/adjust/adjust.h"
#include "design/common/design_session.h"

namespace pedivo::forms {

class AdjustDialog final : public QDialog {
  Q_OBJECT
 public:
  AdjustDialog(const DesignSession& current, const adjust::SearchResult& found, QWidget* parent = nullptr);
};

}  // namespace pedivo::forms

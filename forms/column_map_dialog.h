#pragma once
// "列对应": which column of a table exported from analysis software (Chinese captions: 柱号, 组合,
// N, …) is which entry of a batch design, and the base type of a table that does not name one.
// The choices start from those remembered for the same captions, or from a guess.

#include <QDialog>
#include <vector>

#include "design/files/column_mapping.h"

class QComboBox;

namespace pedivo::forms {

class ColumnMapDialog final : public QDialog {
  Q_OBJECT
 public:
  // `sample`: the first row of data, shown beside each caption.
  ColumnMapDialog(const CsvRow& header, const CsvRow& sample, const ColumnMap& remembered, QWidget* parent);

  // The column name chosen for each caption, empty for a column left out.
  CsvRow names() const;
  // The base type for rows of a table without a "module" column: its id.
  std::string moduleId() const;

 private:
  std::vector<QComboBox*> choices_;
  QComboBox* module_ = nullptr;
};

}  // namespace pedivo::forms

#pragma once
// The batch window's result table as a model: the rows are kept as the texts of the result
// table, and the view asks only for the cells it shows, so ten thousand rows cost no widget each.

#include <QAbstractTableModel>
#include <vector>

#include "design/files/csv_table.h"

namespace pedivo::forms {

class BatchTableModel final : public QAbstractTableModel {
  Q_OBJECT
 public:
  using QAbstractTableModel::QAbstractTableModel;

  // Empties the table and sets its columns.
  void reset(CsvRow header);
  // Appends designed rows; failing ones are shown red.
  void append(std::vector<CsvRow> rows, const std::vector<bool>& failing);

  const CsvRow& header() const { return header_; }
  const std::vector<CsvRow>& rows() const { return rows_; }
  const std::vector<bool>& failing() const { return failing_; }
  std::size_t failingCount() const { return failingCount_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  CsvRow header_;
  std::vector<CsvRow> rows_;
  std::vector<bool> failing_;
  std::size_t failingCount_ = 0;
};

}  // namespace pedivo::forms

#include "forms/batch_table_model.h"

#include <QColor>

#include "design/files/batch.h"
#include "forms/text.h"

namespace pedivo::forms {
namespace {

const QColor failingText(190, 0, 0);
const QColor failingBackground(255, 228, 228);

}  // namespace

void BatchTableModel::reset(CsvRow header) {
  beginResetModel();
  header_ = std::move(header);
  rows_.clear();
  failing_.clear();
  failingCount_ = 0;
  endResetModel();
}

void BatchTableModel::append(std::vector<CsvRow> rows, const std::vector<bool>& failing) {
  if (rows.empty()) return;
  const int first = rowCount();
  beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    rows_.push_back(std::move(rows[i]));
    const bool fails = i < failing.size() && failing[i];
    failing_.push_back(fails);
    failingCount_ += fails ? 1 : 0;
  }
  endInsertRows();
}

int BatchTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int BatchTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(header_.size());
}

QVariant BatchTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const auto r = static_cast<std::size_t>(index.row());
  const auto c = static_cast<std::size_t>(index.column());
  if (r >= rows_.size()) return {};
  switch (role) {
    case Qt::DisplayRole: {
      // One line a cell: the messages of a row are joined.
      QString text = c < rows_[r].size() ? qs(rows_[r][c]) : QString();
      text.replace(QLatin1Char('\n'), QStringLiteral(" / "));
      return text;
    }
    case Qt::ToolTipRole:
      // The whole message, line by line, where the cell shows it on one line.
      return c == resultMessageColumn && c < rows_[r].size() && !rows_[r][c].empty() ? QVariant(qs(rows_[r][c]))
                                                                                      : QVariant();
    case Qt::ForegroundRole:
      return failing_[r] ? QVariant(failingText) : QVariant();
    case Qt::BackgroundRole:
      return failing_[r] ? QVariant(failingBackground) : QVariant();
    default:
      return {};
  }
}

QVariant BatchTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  const auto c = static_cast<std::size_t>(section);
  return c < header_.size() ? qs(header_[c]) : QVariant();
}

}  // namespace pedivo::forms

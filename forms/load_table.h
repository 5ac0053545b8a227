#pragma once
// The 荷载组合 table of an input window: one row a load combination, name, N, V and (where the base
// takes a moment) M. The first row's forces are the window's own N, V and M boxes (EdtN, EdtV,
// EdtM), so a window with one row designs exactly as it always has. Rows are added and deleted,
// pasted from a spreadsheet (Ctrl+V or "粘贴") and imported from a CSV file.

#include <QWidget>
#include <variant>
#include <vector>

#include "design/common/module.h"
#include "design/files/load_rows.h"

class QHBoxLayout;
class QLineEdit;
class QTableWidget;

namespace pedivo::forms {

class Interaction;

class LoadTable final : public QWidget {
  Q_OBJECT
 public:
  // `forces`: the controls of N, V and M (M absent for a pinned base), as the descriptor has them.
  LoadTable(const std::vector<const ControlSpec*>& forces, Interaction& interaction);

  // The first row's force boxes, by their control names, for the window to read and write.
  std::vector<QLineEdit*> entryBoxes() const { return boxes_; }
  bool withMoment() const { return boxes_.size() == 3; }
  int rowCount() const;

  // The rows as their texts, the first from the force boxes.
  std::vector<LoadRowText> rows() const;
  // Replaces the rows; none keeps one row of the boxes' texts.
  void setRows(const std::vector<LoadRowText>& rows);

  // The combinations of a table of several rows, for the design; none for one row, whose forces
  // are the window's entries. A force that is not a number is refused, naming its row.
  std::variant<std::vector<LoadCombination>, std::string> combinations() const;
  // The combinations a design file keeps: those of several rows; of one row, that row where it has
  // a name of its own and its forces read as numbers; otherwise none, the forces then being the
  // window's entries.
  std::variant<std::vector<LoadCombination>, std::string> savedCombinations() const;
  // The rows of a design file's combinations; none leaves one row, named as a new window names
  // it, with the forces the boxes hold.
  void showCombinations(const std::vector<LoadCombination>& loads);

  // Pasted rows from the current row on (the first when none is chosen), the table growing as
  // needed; a header row is skipped. Refused with the row at fault, and nothing changes.
  bool paste(const QString& text);

 public slots:
  void addRow();
  void deleteSelectedRows();
  void pasteClipboard();
  void importCsvFile();
  // Reads a CSV file of combinations into the table, replacing its rows; told when it cannot.
  bool importCsv(const QString& path);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QHBoxLayout* buildButtons();  // 添加, 删除, 粘贴, 导入…
  QString freshName() const;
  void refuse(const QString& why);
  bool placeRows(std::vector<LoadRowText> pasted, int firstRow);

  Interaction& interaction_;
  QTableWidget* table_ = nullptr;
  std::vector<QLineEdit*> boxes_;  // N, V[, M] of the first row
};

}  // namespace pedivo::forms

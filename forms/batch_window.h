#pragma once
// The batch window: a table of designs from a CSV file, designed one row at a time with a
// progress bar and a way to stop; the results can be saved as CSV and any row opened in its input
// window.

#include <QWidget>
#include <functional>
#include <vector>

#include "design/files/batch.h"
#include "forms/interaction.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace pedivo::forms {

class BatchWindow final : public QWidget {
  Q_OBJECT
 public:
  // Opens a row's design in a new input window of its base type.
  using OpenDesign = std::function<void(const ModuleDescriptor&, const Entries&)>;

  BatchWindow(AppContext& context, OpenDesign openDesign);

  // Reads a table and designs its rows; a table that cannot be read is told and changes nothing.
  bool runTable(const QString& path);
  bool saveResults(const QString& path);
  const std::vector<BatchRow>& rows() const { return rows_; }

 public slots:
  void chooseTable();
  void chooseResultFile();
  void openSelectedRow();
  void cancel() { cancelled_ = true; }

 private:
  void showRows();

  AppContext& context_;
  OpenDesign openDesign_;
  std::vector<BatchRow> rows_;
  QTableWidget* table_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
  QPushButton* saveButton_ = nullptr;
  QPushButton* openRowButton_ = nullptr;
  QLabel* summary_ = nullptr;
  bool running_ = false;
  bool cancelled_ = false;
};

}  // namespace pedivo::forms

#pragma once
// The input window of a base type, built from its descriptor.

#include <QWidget>
#include <map>
#include <optional>
#include <string>

#include "design/common/design_session.h"
#include "design/files/design_file.h"
#include "design/files/load_rows.h"
#include "forms/interaction.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace pedivo::forms {

class LoadTable;

// The file-dialog filter of design files.
QString designFileFilter();

class InputWindow final : public QWidget {
  Q_OBJECT
 public:
  InputWindow(const ModuleDescriptor& module, AppContext& context);

  const DesignSession& session() const { return session_; }

  // Puts a design's entries into the controls; the held results stay until the next "计算".
  void loadEntries(const Entries& entries);
  // Puts rows into the 荷载组合 table (none: the table keeps its one row), as "采用" of a proposal
  // of another base type carries them over.
  void setLoadRows(const std::vector<LoadRowText>& rows);
  // The project block of this window's reports and design files.
  void setProject(const Project& project) { session_.setProject(project); }
  // "计算" without its message boxes, or "验算" in 验算模式: for a design whose messages were already
  // shown elsewhere (a row of a batch), so that "查看结果" and "打印计算书" show it at once.
  void calculateSilently();
  // Opens a design file of this base type; a file that is not one is told and changes nothing.
  bool openDesign(const QString& path);
  // Puts a design into the window: its entries, its combinations into 荷载组合 (none: one row of
  // the entries' forces), a check's sizes into 给定尺寸 with 验算模式 ticked (none: cleared), and its
  // project block where it has one. The held results stay until the next "计算".
  void showDesign(const DesignFile& design);
  // Saves the entries, every combination of 荷载组合 and, in 验算模式, the given sizes to a design
  // file; the window then carries its name. What would not open again (a force that is not a
  // number, a repeated name, a size missing) is told and nothing is written.
  bool saveDesign(const QString& path);
  const QString& designFile() const { return designFile_; }

 public slots:
  void calculate();     // "计算"
  void checkGivenSizes();  // "验算": the base of the sizes in "给定尺寸", none of them changed
  void roundToStock();     // "取规格尺寸": the thicknesses up to stock plates, then "验算"
  void editSettings();     // "设置…": the stock plate thicknesses
  // "验算模式": shows "给定尺寸" beside the window, filled from the last design.
  void setCheckMode(bool on);
  void showResults();   // "查看结果"
  void writeReport();   // "打印计算书"
  void adjustDesign();  // "自动调整"
  void openDesignFile();    // Ctrl+O
  void saveDesignFile();    // Ctrl+S: to the window's file, or a new one
  void saveDesignFileAs();  // Ctrl+Shift+S
  void editProject();       // "项目信息…"
  // "设计标准" chosen by the user: the grade lists follow it and new windows start with it.
  void chooseEdition(const QString& edition);

 signals:
  // "采用" of a proposal of another base type (ten bolts become eight): a window of that type
  // with these entries and the rows of this window's 荷载组合 table, designed.
  void adoptInOtherWindow(const pedivo::ModuleDescriptor* module, const pedivo::Entries& entries,
                          const std::vector<pedivo::LoadRowText>& loadRows);

 private:
  QWidget* buildFileMenu();
  void showFileName();
  QWidget* buildControlGroup(const ControlGroup& group);
  QWidget* buildGivenSizes();
  // The combinations of the 荷载组合 table into the session; the refusal, told, when they cannot be.
  bool passLoads();
  // The sizes of "给定尺寸"; a text that is not a number is told and focused, and gives none.
  std::optional<Sizes> readGivenSizes();
  // What a design file keeps of 荷载组合 and 给定尺寸; false, told, where it cannot be kept.
  bool readSavedLoads(std::vector<LoadCombination>& loads);
  bool readSavedSizes(std::optional<Sizes>& sizes);
  void fillGivenSizes(const Sizes& sizes);
  // What follows "计算" or "验算": the texts written back, 自动调整's state, messages and focus.
  void settle(const Outcome& outcome);
  QWidget* buildPicturePanel();
  void applyDetailingToggle(bool ticked);
  void readControlsIntoSession();
  void writeEntriesToControls();
  void fillGradeLists(const std::string& edition);
  QWidget* control(const std::string& name) const;

  AppContext& context_;
  DesignSession session_;
  std::map<std::string, QWidget*> controls_;
  QCheckBox* cbsize_ = nullptr;
  QGroupBox* sizeGroup_ = nullptr;
  QWidget* adjustButton_ = nullptr;  // enabled after a calculation that did not pass every check
  LoadTable* loadTable_ = nullptr;
  QCheckBox* checkMode_ = nullptr;
  QGroupBox* givenGroup_ = nullptr;
  QLabel* givenNote_ = nullptr;
  std::map<std::string, QLineEdit*> givenBoxes_;
  QSize plainSize_;  // the window without "给定尺寸"
  QString designFile_;  // the design file the entries were last opened from or saved to
};

}  // namespace pedivo::forms

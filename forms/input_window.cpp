#include "forms/input_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>

#include "design/adjust/adjust.h"
#include "design/common/calculation.h"
#include "design/common/check_mode.h"
#include "design/common/numbers.h"
#include "design/common/input_checks.h"
#include "design/common/report_writer.h"
#include "design/common/tables.h"
#include "design/files/design_file.h"
#include "design/drawing/issued_sheet.h"
#include "design/files/software_version.h"
#include "forms/adjust_dialog.h"
#include "forms/adjust_job.h"
#include "forms/appearance.h"
#include "forms/diagram.h"
#include "forms/report_job.h"
#include "forms/drawing_painter.h"
#include "forms/load_table.h"
#include "forms/stock_dialog.h"
#include "forms/project_dialog.h"
#include "forms/result_window.h"
#include "forms/text.h"

namespace pedivo::forms {

QString designFileFilter() { return QStringLiteral("Pedivo 设计文件 (*.pedivo);;所有文件 (*)"); }

namespace {

constexpr const char* editionChoiceKey = "designCode";

const std::string& entryTextOf(const Entries& entries, const char* control) {
  static const std::string none;
  const auto found = entries.texts.find(std::string_view(control));
  return found == entries.texts.end() ? none : found->second;
}

constexpr int fieldWidth = 84;
constexpr int rowSpacing = 3;

// Labels and units of every group line up in one column each across the window.
struct ColumnWidths {
  int label = 0;
  int unit = 0;
};

ColumnWidths columnWidths(const ModuleDescriptor& module, const QFontMetrics& metrics) {
  ColumnWidths widths;
  for (const auto& group : module.groups)
    for (const auto& control : group.controls) {
      widths.label = std::max(widths.label, metrics.horizontalAdvance(qs(control.label)) + 8);
      widths.unit = std::max(widths.unit, metrics.horizontalAdvance(qs(control.unit)) + 4);
    }
  return widths;
}

QString filledNote() { return QStringLiteral("已填入上次计算的尺寸，可逐项修改后按“验算”。"); }

QPushButton* addButton(QBoxLayout* row, const QString& name, const QString& caption) {
  auto* button = new QPushButton(caption);
  button->setObjectName(name);
  button->setAutoDefault(false);
  row->addWidget(button);
  return button;
}

}  // namespace

InputWindow::InputWindow(const ModuleDescriptor& module, AppContext& context)
    : QWidget(nullptr), context_(context), session_(module) {
  setObjectName(qs(module.formName));
  showFileName();
  setAttribute(Qt::WA_DeleteOnClose);

  // Left: the entries, top to bottom. Right: the diagram, the detailing choice and the
  // user's plate sizes, then the commands. Widgets are created in this order, which is also
  // the tab order.
  // A window of a given size shares its spare height out between the groups, so that no empty
  // band gathers in one place; a window sized to its contents packs them at the top.
  const bool givenSize = module.clientSize.width > 0;
  auto* entries = new QVBoxLayout;
  for (const auto& group : module.groups)
    if (group.name != sizeGroupName) {
      if (givenSize && entries->count() > 0) entries->addStretch();
      entries->addWidget(buildControlGroup(group));
    }
  if (!givenSize) entries->addStretch();

  auto* side = new QVBoxLayout;
  side->addWidget(buildPicturePanel());
  if (module.hasDetailingToggle) {
    if (givenSize) side->addStretch();
    cbsize_ = new QCheckBox(QStringLiteral("底板尺寸按构造要求选取"));
    cbsize_->setObjectName(QStringLiteral("cbsize"));
    side->addWidget(cbsize_);
    for (const auto& group : module.groups)
      if (group.name == sizeGroupName) side->addWidget(buildControlGroup(group));
  }
  side->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(buildFileMenu());
  buttons->addStretch();
  connect(addButton(buttons, QStringLiteral("Button1"), QStringLiteral("计算")), &QPushButton::clicked, this,
          &InputWindow::calculate);
  connect(addButton(buttons, QStringLiteral("Button5"), QStringLiteral("查看结果")), &QPushButton::clicked, this,
          &InputWindow::showResults);
  connect(addButton(buttons, qs(module.reportButton), QStringLiteral("打印计算书")), &QPushButton::clicked, this,
          &InputWindow::writeReport);
  // On a row of its own, under "计算": the fixed-size windows have no room for a fourth button.
  auto* adjustRow = new QHBoxLayout;
  checkMode_ = new QCheckBox(QStringLiteral("验算模式"));
  checkMode_->setObjectName(QStringLiteral("cbcheck"));
  checkMode_->setToolTip(QStringLiteral("验算给定尺寸的柱脚：在右侧“给定尺寸”中填写或修改各尺寸后按“验算”"));
  adjustRow->addWidget(checkMode_);
  adjustRow->addStretch();
  auto* adjustButton = addButton(adjustRow, QStringLiteral("ButtonAdjust"), QStringLiteral("自动调整"));
  connect(adjustButton, &QPushButton::clicked, this, &InputWindow::adjustDesign);
  adjustButton->setEnabled(false);
  adjustButton_ = adjustButton;
  side->addLayout(adjustRow);
  side->addLayout(buttons);

  auto* columns = new QHBoxLayout(this);
  columns->addLayout(entries);
  columns->addLayout(side);
  columns->addWidget(buildGivenSizes());

  if (cbsize_ != nullptr) {
    cbsize_->setChecked(session_.entries().cbsize);
    applyDetailingToggle(cbsize_->isChecked());
    connect(cbsize_, &QCheckBox::toggled, this, &InputWindow::applyDetailingToggle);
  }

  // New windows start with the code edition this user chose last.
  if (auto* edition = qobject_cast<QComboBox*>(control("CBcode"))) {
    const QString remembered = context_.interaction.rememberedChoice(QString::fromUtf8(editionChoiceKey));
    if (tables::codeEdition(ss(remembered)) && remembered != edition->currentText()) {
      readControlsIntoSession();
      const EditionSwitch moved = switchEdition(module, session_.entries(), *tables::codeEdition(ss(remembered)));
      for (const auto& [name, text] : moved.texts) session_.setText(name, text);
      writeEntriesToControls();
    }
    connect(edition, &QComboBox::activated, this, [this, edition] { chooseEdition(edition->currentText()); });
  }

  // The report's project block: the one this user confirmed last, until a design file brings its own.
  session_.setProject(rememberedProject(context_.interaction));

  // A window of a given size keeps it where its contents fit; the 荷载组合 table may ask for more.
  if (module.clientSize.width > 0) {
    const QSize hint = sizeHint();
    plainSize_ = QSize(std::max(module.clientSize.width, hint.width()), std::max(module.clientSize.height, hint.height()));
  } else {
    plainSize_ = sizeHint();
  }
  setFixedSize(plainSize_);
  connect(checkMode_, &QCheckBox::toggled, this, &InputWindow::setCheckMode);
  if (QWidget* first = control("Edthc")) first->setFocus(Qt::OtherFocusReason);
}

// A small "文件" menu beside the commands: design files open and save the entries.
QWidget* InputWindow::buildFileMenu() {
  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("fileMenu"));
  const auto add = [&](const QString& name, const QString& text, const QKeySequence& keys, auto slot) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);  // the shortcut works anywhere in the window
    connect(action, &QAction::triggered, this, slot);
  };
  add(QStringLiteral("openDesignAction"), QStringLiteral("打开设计文件…"), QKeySequence::Open,
      &InputWindow::openDesignFile);
  add(QStringLiteral("saveDesignAction"), QStringLiteral("保存设计"), QKeySequence::Save,
      &InputWindow::saveDesignFile);
  add(QStringLiteral("saveDesignAsAction"), QStringLiteral("设计另存为…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
      &InputWindow::saveDesignFileAs);
  menu->addSeparator();
  add(QStringLiteral("projectAction"), QStringLiteral("项目信息…"), QKeySequence(), &InputWindow::editProject);
  add(QStringLiteral("settingsAction"), QStringLiteral("设置…"), QKeySequence(), &InputWindow::editSettings);
  auto* button = new QToolButton;
  button->setObjectName(QStringLiteral("fileMenuButton"));
  // The style draws a menu button's arrow over the text's last character; the arrow is written
  // after the text instead, where the button's width makes room for it.
  button->setText(QStringLiteral("文件 ▾"));
  button->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; width: 0px; }"));
  button->setToolTip(QStringLiteral("打开或保存设计文件（Ctrl+O / Ctrl+S），填写计算书的项目信息"));
  button->setMenu(menu);
  button->setPopupMode(QToolButton::InstantPopup);
  return button;
}

QWidget* InputWindow::buildControlGroup(const ControlGroup& group) {
  auto* box = new QGroupBox(qs(group.caption));
  box->setObjectName(qs(group.name));
  auto* grid = new QGridLayout(box);
  const ColumnWidths widths = columnWidths(session_.module(), QFontMetrics(font()));
  grid->setContentsMargins(8, 6, 8, 6);
  grid->setColumnStretch(3, 1);  // spare width goes to the right edge
  grid->setVerticalSpacing(rowSpacing);
  grid->setColumnMinimumWidth(0, widths.label);
  grid->setColumnMinimumWidth(2, widths.unit);
  int row = 0;
  std::vector<const ControlSpec*> forces;
  for (const char* name : {"EdtN", "EdtV", "EdtM"})
    for (const auto& entry : group.controls)
      if (entry.name == name) forces.push_back(&entry);
  if (!forces.empty()) {
    loadTable_ = new LoadTable(forces, context_.interaction);
    for (QLineEdit* box : loadTable_->entryBoxes()) controls_[ss(box->objectName())] = box;
    grid->addWidget(loadTable_, row++, 0, 1, 4);
  }
  for (const auto& entry : group.controls) {
    if (entry.name == "EdtN" || entry.name == "EdtV" || entry.name == "EdtM") continue;
    auto* label = new QLabel(qs(entry.label));
    QWidget* field = nullptr;
    if (entry.isList()) {
      auto* list = new QComboBox;
      // Grade lists show the grades of the edition the window starts with.
      const auto byEdition = editionItems(entry.name, tables::CodeEdition::Gb2003);
      if (byEdition) {
        for (const auto item : *byEdition) list->addItem(QString::fromUtf8(item.data(), qsizetype(item.size())));
      } else {
        for (const auto& item : entry.items) list->addItem(qs(item));
      }
      list->setCurrentText(qs(entry.defaultText));
      field = list;
    } else {
      auto* edit = new QLineEdit(qs(entry.defaultText));
      // Numbers only: keep the Chinese input method out of these boxes.
      edit->setAttribute(Qt::WA_InputMethodEnabled, false);
      field = edit;
    }
    field->setObjectName(qs(entry.name));
    // A list whose items are longer than a number (the code edition) is as wide as its items.
    field->setFixedWidth(std::max(fieldWidth, entry.isList() ? field->sizeHint().width() : 0));
    label->setBuddy(field);
    grid->addWidget(label, row, 0);
    // A wide list without a unit takes the unit's column too, so the other fields keep their width.
    const bool wide = field->width() > fieldWidth && entry.unit.empty();
    grid->addWidget(field, row, 1, 1, wide ? 2 : 1, Qt::AlignLeft);
    if (!entry.unit.empty()) grid->addWidget(new QLabel(qs(entry.unit)), row, 2);
    controls_[entry.name] = field;
    ++row;
  }
  if (group.name == sizeGroupName) sizeGroup_ = box;
  return box;
}

QWidget* InputWindow::buildPicturePanel() {
  const ModuleDescriptor& module = session_.module();
  auto* panel = new QWidget;
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* heading = new QLabel(QStringLiteral("柱脚示意图"));
  heading->setObjectName(QStringLiteral("Label1"));
  auto* picture = new QLabel;
  picture->setObjectName(QStringLiteral("Image1"));
  const QSize size(module.imageSize.width, module.imageSize.height);
  picture->setFixedSize(size);
  picture->setPixmap(QPixmap::fromImage(diagramImage(module.id, size)));
  layout->addWidget(heading);
  layout->addWidget(picture);
  return panel;
}

// Ticked: the user's plate sizes are switched off and shown grey; cleared: usable and black.
// The texts stay as they are either way.
void InputWindow::applyDetailingToggle(bool ticked) {
  session_.setCbsize(ticked);
  if (sizeGroup_ == nullptr) return;
  const QColor colour = ticked ? disabledTextColour : normalTextColour;
  setTextColour(sizeGroup_, colour);
  for (QLabel* label : sizeGroup_->findChildren<QLabel*>()) setTextColour(label, colour);
  sizeGroup_->setEnabled(!ticked);
  for (QLineEdit* edit : sizeGroup_->findChildren<QLineEdit*>()) edit->setEnabled(!ticked);
}

QWidget* InputWindow::control(const std::string& name) const {
  const auto found = controls_.find(name);
  return found == controls_.end() ? nullptr : found->second;
}

void InputWindow::readControlsIntoSession() {
  for (const auto& [name, widget] : controls_) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) session_.setText(name, ss(edit->text()));
    if (auto* list = qobject_cast<QComboBox*>(widget)) session_.setText(name, ss(list->currentText()));
  }
  if (cbsize_ != nullptr) session_.setCbsize(cbsize_->isChecked());
}

// The grade lists hold the grades of one edition; the texts they show are set afterwards.
void InputWindow::fillGradeLists(const std::string& edition) {
  const auto code = tables::codeEdition(edition);
  if (!code) return;
  for (const char* name : {"CBf", "CBfta"}) {
    auto* list = qobject_cast<QComboBox*>(control(name));
    const auto items = editionItems(name, *code);
    if (list == nullptr || !items) continue;
    QStringList texts;
    for (const auto item : *items) texts.append(QString::fromUtf8(item.data(), qsizetype(item.size())));
    bool same = list->count() == texts.size();
    for (int i = 0; same && i < list->count(); ++i) same = list->itemText(i) == texts[i];
    if (same) continue;
    const QSignalBlocker quiet(list);
    list->clear();
    list->addItems(texts);
  }
}

void InputWindow::chooseEdition(const QString& edition) {
  const auto code = tables::codeEdition(ss(edition));
  if (!code) return;
  readControlsIntoSession();
  const EditionSwitch moved = switchEdition(session_.module(), session_.entries(), *code);
  for (const auto& [name, text] : moved.texts) session_.setText(name, text);
  writeEntriesToControls();
  context_.interaction.rememberChoice(QString::fromUtf8(editionChoiceKey), edition);
  if (moved.message) context_.interaction.showMessage(this, qs(*moved.message));
}

void InputWindow::writeEntriesToControls() {
  fillGradeLists(entryTextOf(session_.entries(), "CBcode"));
  for (const auto& [name, text] : session_.entries().texts) {
    QWidget* widget = control(name);
    if (auto* edit = qobject_cast<QLineEdit*>(widget); edit != nullptr && edit->text() != qs(text))
      edit->setText(qs(text));
    if (auto* list = qobject_cast<QComboBox*>(widget)) list->setCurrentText(qs(text));
  }
  if (cbsize_ != nullptr) cbsize_->setChecked(session_.entries().cbsize);
}

void InputWindow::loadEntries(const Entries& entries) {
  for (const auto& [name, text] : entries.texts) session_.setText(name, text);
  session_.setCbsize(entries.cbsize);
  writeEntriesToControls();
  if (cbsize_ != nullptr) applyDetailingToggle(cbsize_->isChecked());
}

void InputWindow::setLoadRows(const std::vector<LoadRowText>& rows) {
  if (loadTable_ != nullptr && !rows.empty()) loadTable_->setRows(rows);
}

bool InputWindow::openDesign(const QString& path) {
  const auto read = readDesignFile(localPath(path));
  if (const auto* error = std::get_if<std::string>(&read)) {
    context_.interaction.showMessage(this, qs(*error));
    return false;
  }
  const DesignFile& file = std::get<DesignFile>(read);
  if (file.module != &session_.module()) {
    context_.interaction.showMessage(
        this, QStringLiteral("文件“%1”是%2的设计，不能在本窗口中打开。").arg(path, qs(file.module->title)));
    return false;
  }
  showDesign(file);
  designFile_ = path;
  showFileName();
  return true;
}

void InputWindow::showDesign(const DesignFile& design) {
  loadEntries(design.entries);
  if (loadTable_ != nullptr) {
    loadTable_->showCombinations(design.loads);
    readControlsIntoSession();  // the first row's forces are entries
    session_.setLoads(design.loads.size() > 1 ? design.loads : std::vector<LoadCombination>{});
  }
  // A file saved without a project block (as every file before the block existed) keeps the window's.
  if (!design.project.empty()) session_.setProject(design.project);
  checkMode_->setChecked(design.sizes.has_value());
  if (design.sizes) {
    fillGivenSizes(*design.sizes);
    givenNote_->setText(QStringLiteral("已填入设计文件中的给定尺寸，可逐项修改后按“验算”。"));
  }
}

bool InputWindow::saveDesign(const QString& path) {
  readControlsIntoSession();
  std::vector<LoadCombination> loads;
  std::optional<Sizes> sizes;
  if (!readSavedLoads(loads) || !readSavedSizes(sizes)) return false;
  if (const auto error =
          writeDesignFile(localPath(path), session_.module(), session_.entries(), session_.project(), sizes, loads)) {
    context_.interaction.showMessage(this, qs(*error));
    return false;
  }
  designFile_ = path;
  showFileName();
  return true;
}

bool InputWindow::readSavedLoads(std::vector<LoadCombination>& loads) {
  if (loadTable_ == nullptr) return true;
  auto saved = loadTable_->savedCombinations();
  std::optional<std::string> refusal;
  if (auto* error = std::get_if<std::string>(&saved)) {
    refusal = std::move(*error);
  } else {
    loads = std::move(std::get<std::vector<LoadCombination>>(saved));
    if (!loads.empty()) refusal = combinationsFaultFor(session_.module(), loads);
  }
  if (!refusal) return true;
  context_.interaction.showMessage(this, QStringLiteral("无法保存设计：") + qs(*refusal));
  context_.interaction.moveFocus(loadTable_->findChild<QWidget*>(QStringLiteral("loadTable")));
  return false;
}

// In 验算模式 the file is a check of the sizes in 给定尺寸: each must be there and be a length.
bool InputWindow::readSavedSizes(std::optional<Sizes>& sizes) {
  if (!checkMode_->isChecked()) return true;
  sizes = readGivenSizes();
  if (!sizes) return false;
  if (const auto fault = sizesFault(session_.module().sizes, *sizes)) {
    context_.interaction.showMessage(this, QStringLiteral("无法保存验算：") + qs(*fault));
    return false;
  }
  return true;
}

void InputWindow::openDesignFile() {
  const QString path = context_.interaction.chooseFileToOpen(this, QStringLiteral("打开设计文件"), designFileFilter());
  if (!path.isEmpty()) openDesign(path);
}

void InputWindow::saveDesignFile() {
  if (designFile_.isEmpty()) {
    saveDesignFileAs();
  } else {
    saveDesign(designFile_);
  }
}

void InputWindow::saveDesignFileAs() {
  QString path = context_.interaction.chooseFileToSave(this, QStringLiteral("保存设计文件"), designFileFilter(),
                                                       designFile_);
  if (path.isEmpty()) return;
  if (!path.endsWith(QString::fromUtf8(designFileExtension))) path += QString::fromUtf8(designFileExtension);
  saveDesign(path);
}

void InputWindow::editProject() {
  if (auto project = forms::editProject(context_.interaction, this, session_.project(),
                                        QStringLiteral("用于本窗口的计算书和设计文件，也是此后新打开窗口的默认值。")))
    session_.setProject(*project);
}

// The window's caption with the base type where the caption does not name it (two types share
// "铰接柱脚"), and the name of its design file when it has one.
void InputWindow::showFileName() {
  const ModuleDescriptor& module = session_.module();
  const QString caption = module.caption.find(module.title) == std::string::npos
                              ? qs(module.caption) + QStringLiteral("（") + qs(module.title) + QStringLiteral("）")
                              : qs(module.caption);
  setWindowTitle(designFile_.isEmpty() ? caption : caption + QStringLiteral(" - ") + QFileInfo(designFile_).fileName());
}

void InputWindow::calculateSilently() {
  readControlsIntoSession();
  if (loadTable_ != nullptr)
    if (const auto loads = loadTable_->combinations(); std::holds_alternative<std::vector<LoadCombination>>(loads))
      session_.setLoads(std::get<std::vector<LoadCombination>>(loads));
  // In 验算模式 the given sizes are checked, as "验算" would; sizes that do not read are designed.
  std::optional<Sizes> given;
  if (checkMode_->isChecked()) {
    given.emplace();
    for (const auto& [name, edit] : givenBoxes_)
      if (const auto value = parseNumber(ss(edit->text()))) (*given)[name] = *value;
    if (sizesFault(session_.module().sizes, *given)) given.reset();
  }
  if (given) {
    session_.check(*given);
  } else {
    session_.calculate();
  }
  writeEntriesToControls();
}

void InputWindow::calculate() {
  readControlsIntoSession();
  if (!passLoads()) return;
  const Outcome outcome = session_.calculate();
  settle(outcome);
  if (checkMode_->isChecked() && session_.designed()) {
    fillGivenSizes(session_.sizes());
    givenNote_->setText(filledNote());
  }
}

void InputWindow::settle(const Outcome& outcome) {
  writeEntriesToControls();
  adjustButton_->setEnabled(!adjust::passes(outcome, session_.checks()));
  for (const auto& message : session_.shownMessages(outcome)) context_.interaction.showMessage(this, qs(message));
  if (outcome.focus) {
    QWidget* target = control(*outcome.focus);
    if (target != nullptr && target->isEnabled()) context_.interaction.moveFocus(target);
  }
}

bool InputWindow::passLoads() {
  if (loadTable_ == nullptr) return true;
  const auto loads = loadTable_->combinations();
  std::optional<std::string> refusal;
  if (const auto* error = std::get_if<std::string>(&loads)) {
    refusal = *error;
  } else {
    refusal = session_.setLoads(std::get<std::vector<LoadCombination>>(loads));
  }
  if (refusal) {
    context_.interaction.showMessage(this, qs(*refusal));
    context_.interaction.moveFocus(loadTable_->findChild<QWidget*>(QStringLiteral("loadTable")));
  }
  return !refusal;
}

// "给定尺寸": every size the base type takes, under its caption, in a column of its own that
// scrolls when the sizes outnumber the window's height.
QWidget* InputWindow::buildGivenSizes() {
  givenGroup_ = new QGroupBox(QStringLiteral("给定尺寸"));
  givenGroup_->setObjectName(QStringLiteral("GivenSizes"));
  auto* layout = new QVBoxLayout(givenGroup_);
  layout->setContentsMargins(6, 6, 6, 6);
  givenNote_ = new QLabel;
  givenNote_->setObjectName(QStringLiteral("givenNote"));
  givenNote_->setWordWrap(true);
  layout->addWidget(givenNote_);
  auto* rows = new QWidget;
  auto* grid = new QGridLayout(rows);
  grid->setContentsMargins(0, 0, 4, 0);
  grid->setVerticalSpacing(rowSpacing);
  int row = 0;
  bool keyNoted = false;
  for (const SizeName& size : session_.module().sizes) {
    if (size.ofShearKey && !keyNoted) {
      // The key's sizes go together: all 0 for a base without one, all blank for the key a design would choose.
      auto* note = new QLabel(QStringLiteral("抗剪键：不设抗剪键时各项填 0；全部留空时按设计选取。"));
      note->setObjectName(QStringLiteral("givenKeyNote"));
      note->setWordWrap(true);
      grid->addWidget(note, row++, 0, 1, 3);
      keyNoted = true;
    }
    auto* label = new QLabel(qs(size.caption));
    auto* edit = new QLineEdit;
    edit->setObjectName(QStringLiteral("Given_") + qs(size.name));
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit->setFixedWidth(64);
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("（mm）")), row, 2);
    givenBoxes_[size.name] = edit;
    ++row;
  }
  grid->setRowStretch(row, 1);
  auto* scroll = new QScrollArea;
  scroll->setObjectName(QStringLiteral("givenScroll"));
  scroll->setWidget(rows);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  layout->addWidget(scroll, 1);

  auto* commands = new QGridLayout;
  auto* settings = new QPushButton(QStringLiteral("规格厚度…"));
  settings->setObjectName(QStringLiteral("ButtonStockSettings"));
  settings->setToolTip(QStringLiteral("设置“取规格尺寸”所用的钢板规格厚度"));
  auto* stock = new QPushButton(QStringLiteral("取规格尺寸"));
  stock->setObjectName(QStringLiteral("ButtonStock"));
  stock->setToolTip(QStringLiteral("把各板件厚度向上取到钢板规格厚度，然后验算"));
  auto* check = new QPushButton(QStringLiteral("验算"));
  check->setObjectName(QStringLiteral("ButtonCheck"));
  check->setToolTip(QStringLiteral("按给定尺寸验算，尺寸不作任何调整"));
  for (QPushButton* button : {settings, stock, check}) button->setAutoDefault(false);
  commands->addWidget(settings, 0, 0);
  commands->addWidget(stock, 0, 1);
  commands->addWidget(check, 1, 1);
  layout->addLayout(commands);
  connect(settings, &QPushButton::clicked, this, &InputWindow::editSettings);
  connect(stock, &QPushButton::clicked, this, &InputWindow::roundToStock);
  connect(check, &QPushButton::clicked, this, &InputWindow::checkGivenSizes);

  constexpr int givenWidth = 276;
  givenGroup_->setFixedWidth(givenWidth);
  givenGroup_->hide();
  return givenGroup_;
}

void InputWindow::setCheckMode(bool on) {
  if (on) {
    // Filled from the last design or check; a window with none asks for one first.
    const bool held = session_.designed();
    if (held) fillGivenSizes(session_.sizes());
    givenNote_->setText(held ? filledNote() : QStringLiteral("先按“计算”填入设计尺寸，或逐项填写后按“验算”。"));
  }
  givenGroup_->setVisible(on);
  const int spacing = layout()->spacing();
  setFixedSize(on ? QSize(plainSize_.width() + spacing + givenGroup_->width(), plainSize_.height()) : plainSize_);
}

void InputWindow::fillGivenSizes(const Sizes& sizes) {
  for (const auto& [name, edit] : givenBoxes_)
    if (const auto found = sizes.find(name); found != sizes.end()) edit->setText(qs(formatGeneral(found->second)));
    else edit->clear();  // a size left out (a key to be chosen) stays blank
}

std::optional<Sizes> InputWindow::readGivenSizes() {
  Sizes sizes;
  for (const SizeName& size : session_.module().sizes) {
    QLineEdit* edit = givenBoxes_.at(size.name);
    // A blank size of the key is left out: the check says whether the key is given in part.
    if (size.ofShearKey && edit->text().trimmed().isEmpty()) continue;
    const auto value = parseNumber(ss(edit->text()));
    if (!value) {
      const QString why = edit->text().trimmed().isEmpty() ? QStringLiteral("请填写该尺寸。")
                                                           : qs(notANumberMessage(ss(edit->text()))) + QStringLiteral("。");
      context_.interaction.showMessage(this, QStringLiteral("给定尺寸“%1”：").arg(qs(size.caption)) + why);
      context_.interaction.moveFocus(edit);
      return std::nullopt;
    }
    sizes.emplace(size.name, *value);
  }
  return sizes;
}

void InputWindow::checkGivenSizes() {
  readControlsIntoSession();
  if (!passLoads()) return;
  const auto sizes = readGivenSizes();
  if (!sizes) return;
  settle(session_.check(*sizes));
}

void InputWindow::roundToStock() {
  const auto sizes = readGivenSizes();
  if (!sizes) return;
  const std::vector<double> series = rememberedStockSeries(context_.interaction);
  fillGivenSizes(roundedToStock(*sizes, session_.module().plateThicknesses, series));
  checkGivenSizes();
}

void InputWindow::editSettings() {
  StockDialog dialog(rememberedStockSeries(context_.interaction), context_.interaction, this);
  context_.interaction.runModal(dialog);
  if (dialog.result() == QDialog::Accepted) rememberStockSeries(context_.interaction, dialog.series());
}

// 自动调整 starts from what the window shows. Entries typed after the last "计算" are designed
// first, and the dialog says so; entries that cannot be designed are told as "计算" tells them.
void InputWindow::adjustDesign() {
  readControlsIntoSession();
  // The combinations as the table shows them: rows changed since "计算" count as changed entries.
  if (!passLoads()) return;
  QString note;
  if (session_.status() == DesignStatus::EntriesChanged) {
    const Outcome outcome = session_.calculate();
    writeEntriesToControls();
    const bool passing = adjust::passes(outcome, session_.checks());
    adjustButton_->setEnabled(!passing);
    note = QStringLiteral("输入在上次计算后已修改，已按窗口中的输入重新计算。");
    // Refused: an entry the calculation could not read, and it points at it.
    const bool refused = outcome.ending == Ending::Stopped && outcome.focus.has_value();
    if (passing || refused) {
      context_.interaction.showMessage(
          this, note + (passing ? QStringLiteral("全部验算均已满足，不需要自动调整。") : QStringLiteral("输入有误，无法自动调整。")));
      for (const auto& message : session_.shownMessages(outcome)) context_.interaction.showMessage(this, qs(message));
      if (QWidget* target = outcome.focus ? control(*outcome.focus) : nullptr; target != nullptr && target->isEnabled())
        context_.interaction.moveFocus(target);
      return;
    }
  }
  const auto found = adjustInBackground(this, session_.module(), session_.entries(), session_.loads());
  if (!found) return;  // cancelled: the window stays as it was
  AdjustDialog dialog(session_, *found, this);
  if (auto* heading = dialog.findChild<QLabel*>(QStringLiteral("adjustHeading")); heading != nullptr && !note.isEmpty())
    heading->setText(note + heading->text());
  context_.interaction.runModal(dialog);
  if (dialog.result() != QDialog::Accepted || !found->best || !found->best->passes) return;
  const adjust::Proposal& proposal = *found->best;
  if (proposal.module != &session_.module()) {
    emit adoptInOtherWindow(proposal.module, proposal.entries,
                            loadTable_ != nullptr ? loadTable_->rows() : std::vector<LoadRowText>{});
    return;
  }
  loadEntries(proposal.entries);
  calculate();
}

void InputWindow::showResults() {
  readControlsIntoSession();  // the results say whether they still belong to what the window shows
  // The sheet as issued: the views to scale with the bolt table, parts list, notes and title block.
  ResultWindow window(session_.module(), session_.results(), drawing::drawIssuedSheet(session_, softwareVersion()),
                      context_.interaction);
  window.showStatus(qs(session_.statusLine()), session_.status() == DesignStatus::Unfinished);
  if (const auto weight = session_.weight()) window.showWeight(qs(formatWeight(*weight)));
  window.showChecks(session_.checks());
  context_.interaction.runModal(window);
}

// The user's report folder (created when needed, its week-old reports removed); the system's
// temporary folder when there is none or it cannot be made.
namespace {
std::filesystem::path reportFolder(const DataFolders& folders) {
  constexpr std::chrono::hours keptFor(24 * 7);
  std::error_code ec;
  if (folders.reports.empty() || (std::filesystem::create_directories(folders.reports, ec), ec) ||
      !std::filesystem::is_directory(folders.reports, ec))
    return localPath(QDir::tempPath());
  removeOldReports(folders.reports, std::filesystem::file_time_type::clock::now(), keptFor);
  return folders.reports;
}
}  // namespace

void InputWindow::writeReport() {
  readControlsIntoSession();
  const DataFolders folders = context_.folders();
  const std::filesystem::path templatePath = findDataFile(templateSearchPath(folders), session_.module().templateFile);
  std::optional<ReportPicture> picture;
  if (const auto drawn = drawing::drawDesign(session_); std::holds_alternative<drawing::Drawing>(drawn))
    picture = reportPicture(std::get<drawing::Drawing>(drawn));
  std::vector<TagText> tags = session_.report();
  for (auto& stamp : writingTags(std::time(nullptr))) tags.push_back(std::move(stamp));
  const auto written =
      writeReportInBackground(this, templatePath, std::move(tags), reportFolder(folders), std::move(picture));
  if (const auto* error = std::get_if<ReportError>(&written)) {
    context_.interaction.showMessage(this, qs(error->message));
    return;
  }
  const QString path = qs(std::get<std::filesystem::path>(written).string());
  if (!context_.interaction.openDocument(path))
    context_.interaction.showMessage(
        this, QStringLiteral("计算书已写入文件“%1”，但没有找到可以打开它的应用程序（如 LibreOffice Writer、WPS 或 Word）。").arg(path));
}

}  // namespace pedivo::forms

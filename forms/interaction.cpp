#include "forms/interaction.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

#include "forms/text.h"

namespace pedivo::forms {

void DesktopInteraction::showMessage(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Pedivo"), text, QMessageBox::Ok, parent);
  box.exec();
}

void DesktopInteraction::runModal(QDialog& dialog) { dialog.exec(); }

void DesktopInteraction::moveFocus(QWidget* control) { control->setFocus(Qt::OtherFocusReason); }

bool DesktopInteraction::openDocument(const QString& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool DesktopInteraction::openFolder(const QString& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

namespace {
// Design files start out in the user's documents folder (XDG_DOCUMENTS_DIR, usually ~/Documents
// or ~/文档), not wherever the program happened to be started from.
QString documentsFolder() { return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation); }
}  // namespace

QString DesktopInteraction::chooseFileToOpen(QWidget* parent, const QString& caption, const QString& filter) {
  return QFileDialog::getOpenFileName(parent, caption, documentsFolder(), filter);
}

QString DesktopInteraction::chooseFolder(QWidget* parent, const QString& caption) {
  return QFileDialog::getExistingDirectory(parent, caption, documentsFolder());
}

QString DesktopInteraction::chooseFileToSave(QWidget* parent, const QString& caption, const QString& filter,
                                             const QString& suggested) {
  // A bare file name ("g11.dxf") is suggested in the documents folder too.
  const QString start = suggested.isEmpty()                  ? documentsFolder()
                        : QFileInfo(suggested).isRelative() ? documentsFolder() + QStringLiteral("/") + suggested
                                                            : suggested;
  return QFileDialog::getSaveFileName(parent, caption, start, filter);
}

DataFolders AppContext::folders() const {
  DataFolders folders = data;
  folders.program = localPath(appFolder);
  return folders;
}

// The user's settings of the desktop (on Linux ~/.config/Pedivo/Pedivo.conf).
QString DesktopInteraction::rememberedChoice(const QString& key) {
  return QSettings(QStringLiteral("Pedivo"), QStringLiteral("Pedivo")).value(key).toString();
}

void DesktopInteraction::rememberChoice(const QString& key, const QString& value) {
  QSettings(QStringLiteral("Pedivo"), QStringLiteral("Pedivo")).setValue(key, value);
}

}  // namespace pedivo::forms

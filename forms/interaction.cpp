#include "forms/interaction.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QSettings>
#include <QUrl>

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

QString DesktopInteraction::chooseFileToOpen(QWidget* parent, const QString& caption, const QString& filter) {
  return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
}

QString DesktopInteraction::chooseFileToSave(QWidget* parent, const QString& caption, const QString& filter,
                                             const QString& suggested) {
  return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
}

// The user's settings of the desktop (on Linux ~/.config/Pedivo/Pedivo.conf).
QString DesktopInteraction::rememberedChoice(const QString& key) {
  return QSettings(QStringLiteral("Pedivo"), QStringLiteral("Pedivo")).value(key).toString();
}

void DesktopInteraction::rememberChoice(const QString& key, const QString& value) {
  QSettings(QStringLiteral("Pedivo"), QStringLiteral("Pedivo")).setValue(key, value);
}

}  // namespace pedivo::forms

#pragma once
// Records what a user would see instead of showing it, so window tests never block on a dialog.

#include <QDialog>
#include <QLineEdit>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <map>

#include "forms/interaction.h"

namespace pedivo::forms {

class RecordingInteraction final : public Interaction {
 public:
  void showMessage(QWidget*, const QString& text) override { messages.append(text); }
  void runModal(QDialog& dialog) override {
    ++modalRuns;
    modality = dialog.windowModality();
    lastModalName = dialog.objectName();
    lastModalTitle = dialog.windowTitle();
    lastModalSize = dialog.size();
    fields.clear();
    for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) fields[edit->objectName()] = edit->text();
    if (inspectModal) inspectModal(dialog);
  }
  void moveFocus(QWidget* control) override { focused.append(control->objectName()); }
  bool openDocument(const QString& path) override {
    opened.append(path);
    return canOpenDocuments;
  }

  bool openFolder(const QString& path) override {
    openedFolders.append(path);
    return canOpenDocuments;
  }

  QString chooseFileToOpen(QWidget*, const QString&, const QString&) override {
    return filesToOpen.isEmpty() ? QString() : filesToOpen.takeFirst();
  }
  QString chooseFileToSave(QWidget*, const QString&, const QString&, const QString&) override {
    return filesToSave.isEmpty() ? QString() : filesToSave.takeFirst();
  }

  QString chooseFolder(QWidget*, const QString&) override {
    return foldersToChoose.isEmpty() ? QString() : foldersToChoose.takeFirst();
  }

  QString rememberedChoice(const QString& key) override {
    const auto found = choices.find(key);
    return found == choices.end() ? QString() : found->second;
  }
  void rememberChoice(const QString& key, const QString& value) override { choices[key] = value; }

  std::map<QString, QString> choices;  // what the desktop remembers between runs
  QStringList filesToOpen;  // answers to the next file questions; none: the user cancels
  QStringList filesToSave;
  QStringList foldersToChoose;
  QStringList messages;
  QStringList focused;
  QStringList opened;
  QStringList openedFolders;
  bool canOpenDocuments = true;
  int modalRuns = 0;
  Qt::WindowModality modality = Qt::NonModal;
  QString lastModalName;
  QString lastModalTitle;
  QSize lastModalSize;
  std::map<QString, QString> fields;
  std::function<void(QDialog&)> inspectModal;
};

}  // namespace pedivo::forms

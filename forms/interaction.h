#pragma once
// What the windows ask of the desktop: message boxes, modal display, focus and opening a
// document. Tests replace it with a recording implementation, so no dialog ever blocks them.

#include <QString>

#include "design/files/data_folders.h"

class QDialog;
class QWidget;

namespace pedivo::forms {

class Interaction {
 public:
  virtual ~Interaction() = default;
  // A message box with an OK button; returns when it is dismissed.
  virtual void showMessage(QWidget* parent, const QString& text) = 0;
  // Shows a dialog modally; returns when it is closed.
  virtual void runModal(QDialog& dialog) = 0;
  virtual void moveFocus(QWidget* control) = 0;
  // Asks the desktop to open a file with its default application.
  virtual bool openDocument(const QString& path) = 0;
  // Shows a folder in the desktop's file manager.
  virtual bool openFolder(const QString& path) = 0;
  // Asks the user for a file to open, or a file to save to; empty when the user cancels.
  virtual QString chooseFileToOpen(QWidget* parent, const QString& caption, const QString& filter) = 0;
  virtual QString chooseFileToSave(QWidget* parent, const QString& caption, const QString& filter,
                                   const QString& suggested) = 0;
  // Asks the user for a folder; empty when the user cancels.
  virtual QString chooseFolder(QWidget* parent, const QString& caption) = 0;
  // A choice remembered for this user between runs (the code edition of new windows); empty when
  // none has been made.
  virtual QString rememberedChoice(const QString& key) = 0;
  virtual void rememberChoice(const QString& key, const QString& value) = 0;
};

// The real desktop.
class DesktopInteraction final : public Interaction {
 public:
  void showMessage(QWidget* parent, const QString& text) override;
  void runModal(QDialog& dialog) override;
  void moveFocus(QWidget* control) override;
  bool openDocument(const QString& path) override;
  bool openFolder(const QString& path) override;
  QString chooseFileToOpen(QWidget* parent, const QString& caption, const QString& filter) override;
  QString chooseFileToSave(QWidget* parent, const QString& caption, const QString& filter,
                           const QString& suggested) override;
  QString chooseFolder(QWidget* parent, const QString& caption) override;
  QString rememberedChoice(const QString& key) override;
  void rememberChoice(const QString& key, const QString& value) override;
};

// The folder of the running program (AppFolder), the desktop it talks to and where files are
// looked for and kept.
struct AppContext {
  Interaction& interaction;
  QString appFolder;  // ends with "/"
  // The user's and the installed folders, and the folder for written reports. Left empty (as the
  // tests do), templates and diagrams come from appFolder alone and reports go to the system's
  // temporary folder.
  DataFolders data = {};

  // data, with appFolder as the program's folder.
  DataFolders folders() const;
};

}  // namespace pedivo::forms

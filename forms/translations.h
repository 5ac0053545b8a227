#pragma once
// Qt's own texts in Chinese: the standard buttons of a message box read "确定" and "取消".

class QCoreApplication;

namespace pedivo::forms {

// Loads Qt's Simplified Chinese translations from Qt's translation folder (Debian's
// qt6-translations-l10n); returns false where they are not installed, leaving Qt's English texts.
bool installChineseTranslations(QCoreApplication& application);

}  // namespace pedivo::forms

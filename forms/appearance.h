#pragma once
// Fonts and colours the windows share.

#include <QColor>
#include <QFont>

class QWidget;

namespace pedivo::forms {

inline const QColor disabledTextColour{128, 128, 128};
inline const QColor normalTextColour{0, 0, 0};
inline const QColor failingTextColour{255, 0, 0};  // a failing check, a stop

// Bold 14 px Kai headings (楷体_GB2312, with the Kai fonts a Linux desktop has).
QFont headingFont();
// Sets the text colour of a label, group box, radio button or check box in every state.
void setTextColour(QWidget* widget, const QColor& colour);

}  // namespace pedivo::forms

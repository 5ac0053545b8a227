#include "forms/appearance.h"

#include <QPalette>
#include <QStringList>
#include <QWidget>

namespace pedivo::forms {

QFont headingFont() {
  QFont font;
  font.setFamilies({QStringLiteral("楷体_GB2312"), QStringLiteral("KaiTi"), QStringLiteral("AR PL UKai CN"),
                    QStringLiteral("AR PL UKai"), QStringLiteral("Noto Sans CJK SC")});
  font.setPixelSize(14);
  font.setBold(true);
  return font;
}

void setTextColour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    palette.setColor(group, QPalette::WindowText, colour);
    palette.setColor(group, QPalette::Text, colour);
    palette.setColor(group, QPalette::ButtonText, colour);
  }
  widget->setPalette(palette);
}

}  // namespace pedivo::forms

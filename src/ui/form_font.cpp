// SPDX-License-Identifier: MIT
#include "ui/form_font.h"

namespace ui {

QFont formFont(form::FontStyle style) {
  QFont font(QString::fromLatin1(kFormFontFamily));
  font.setStyleHint(QFont::SansSerif);
  font.setStretch(kFormFontStretch);
  font.setPointSizeF(style == form::FontStyle::Bold12 ? 12.0 : 8.25);
  font.setWeight(style == form::FontStyle::Default ? QFont::Normal : QFont::Bold);
  return font;
}

}  // namespace ui

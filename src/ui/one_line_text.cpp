// SPDX-License-Identifier: MIT
#include "ui/one_line_text.h"

#include <QFontMetrics>
#include <QLabel>
#include <algorithm>
#include <array>

#include "ui/form_font.h"

namespace ui {

using common::ControlId;

bool keepsOneLine(ControlId id) {
  static constexpr std::array kOneLine = {
      ControlId::Label14, ControlId::Label16, ControlId::Label17, ControlId::Label4,
      ControlId::Label15, ControlId::Label2,  ControlId::Label12, ControlId::Label18};
  return std::find(kOneLine.begin(), kOneLine.end(), id) != kOneLine.end();
}

void showOnOneLine(QLabel& label, const QString& text) {
  const int room = label.contentsRect().width();
  QFont font = label.font();
  // A text a little too wide reads better a little narrower than cut short.
  for (const int percent : {100, 95, 90}) {
    font.setStretch(kFormFontStretch * percent / 100);
    if (QFontMetrics(font).horizontalAdvance(text) <= room) {
      label.setFont(font);
      label.setText(text);
      label.setToolTip(QString());
      label.setAccessibleName(QString());  // named by its text, as every label
      return;
    }
  }
  font.setStretch(kFormFontStretch);
  label.setFont(font);
  label.setText(QFontMetrics(font).elidedText(text, Qt::ElideRight, room));
  label.setToolTip(text);
  // A screen reader reads the whole text, not what fits on screen.
  label.setAccessibleName(text);
}

}  // namespace ui

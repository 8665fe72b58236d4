// SPDX-License-Identifier: MIT
#include "ui/one_line_text.h"

#include <QFontMetrics>
#include <QLabel>
#include <algorithm>

#include "form/window_layout.h"
#include "ui/form_font.h"

namespace ui {

using common::ControlId;

bool keepsOneLine(ControlId id) {
  const auto& layouts = form::controlLayouts();
  return std::any_of(layouts.begin(), layouts.end(), [id](const form::ControlLayout& layout) {
    return layout.id == id && layout.fit == form::TextFit::OneLine;
  });
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

// SPDX-License-Identifier: MIT
#include "ui/one_line_text.h"

#include <QFontMetrics>
#include <QLabel>
#include <algorithm>
#include <array>

namespace ui {

using common::ControlId;

bool keepsOneLine(ControlId id) {
  static constexpr std::array kOneLine = {
      ControlId::Label14, ControlId::Label16, ControlId::Label17, ControlId::Label4,
      ControlId::Label15, ControlId::Label2,  ControlId::Label12, ControlId::Label18};
  return std::find(kOneLine.begin(), kOneLine.end(), id) != kOneLine.end();
}

void showOnOneLine(QLabel& label, const QString& text) {
  const QString shown =
      QFontMetrics(label.font()).elidedText(text, Qt::ElideRight, label.contentsRect().width());
  label.setText(shown);
  label.setToolTip(shown == text ? QString() : text);
}

}  // namespace ui

// SPDX-License-Identifier: MIT
#include "ui/runway_rows_area.h"

#include <QFontMetrics>
#include <QLabel>
#include <QScrollBar>
#include <algorithm>

namespace ui {

RunwayRowsArea::RunwayRowsArea(QLabel* rows, QWidget* parent) : QScrollArea(parent), m_rows(rows) {
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setFocusPolicy(Qt::NoFocus);
  setWidgetResizable(true);
  setWidget(rows);
  rows->setAutoFillBackground(false);
  viewport()->setAutoFillBackground(false);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this,
          [this](int value) { snapToRow(value); });
}

void RunwayRowsArea::setRows(const QString& rows) {
  if (m_rows->text() == rows) return;
  m_rows->setText(rows);
  verticalScrollBar()->setValue(0);
}

void RunwayRowsArea::resizeEvent(QResizeEvent* event) {
  showWholeRows();
  QScrollArea::resizeEvent(event);
}

// The pitch the label lays its lines at: the font's line spacing rounded
// as the text layout rounds it.
int RunwayRowsArea::rowHeight() const {
  const QFontMetrics metrics(m_rows->font());
  const QRect room(0, 0, 1000, 1000);
  const int flags = Qt::AlignLeft | Qt::AlignTop;
  const int pitch = metrics.boundingRect(room, flags, QStringLiteral("X\nX")).height() -
                    metrics.boundingRect(room, flags, QStringLiteral("X")).height();
  return std::max(1, pitch);
}

void RunwayRowsArea::showWholeRows() {
  setViewportMargins(0, 0, 0, height() % rowHeight());
}

// Arrows, wheel and dragging all end on a row boundary, one row at least
// in the direction moved; the end of the list stays reachable.
void RunwayRowsArea::snapToRow(int value) {
  QScrollBar* bar = verticalScrollBar();
  const int row = rowHeight();
  int target = value;
  if (value != 0 && value != bar->maximum() && value % row != 0) {
    if (value > m_lastValue) {
      target = std::max(value / row * row, m_lastValue + row);
    } else {
      target = std::min((value + row - 1) / row * row, m_lastValue - row);
    }
    target = std::clamp(target, 0, bar->maximum());
  }
  m_lastValue = target;
  if (target != value) bar->setValue(target);  // comes back here as a whole row
}

}  // namespace ui

// SPDX-License-Identifier: MIT
#pragma once

// The runway list in Label5's box. An airport may have more rows than the
// box holds; then a scroll bar appears. The visible part is a whole number
// of rows and scrolling moves by whole rows, so no row is ever cut in half.
// The rows stay one QLabel, so a screen reader reads them all.

#include <QScrollArea>

class QLabel;

namespace ui {

class RunwayRowsArea : public QScrollArea {
 public:
  RunwayRowsArea(QLabel* rows, QWidget* parent);

  // Shows new rows from the first one.
  void setRows(const QString& rows);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  int rowHeight() const;
  void showWholeRows();
  void snapToRow(int value);

  QLabel* m_rows;
  int m_lastValue = 0;
};

}  // namespace ui

// SPDX-License-Identifier: MIT
#pragma once

// Page Up and Page Down scroll the runway list by a page, Ctrl+Home and
// Ctrl+End to its start and end, from whichever control has the focus; the
// list itself never takes the focus, so the tab order stays the form's.

#include <QObject>

class QAbstractScrollArea;

namespace ui {

class ListScrollKeys : public QObject {
 public:
  ListScrollKeys(QAbstractScrollArea* list, QObject* parent);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QAbstractScrollArea* m_list;
};

}  // namespace ui

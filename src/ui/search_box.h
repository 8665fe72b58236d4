// SPDX-License-Identifier: MIT
#pragma once

// Text1, the search box. A QLineEdit with two changes: Alt with a letter,
// which means nothing in this window but a menu's access letter, is never
// typed into the text; and assistive technology reads it through
// SearchBoxAccessible (ui/search_box_accessible.h).

#include <QLineEdit>

namespace ui {

class SearchBox : public QLineEdit {
  Q_OBJECT

 public:
  using QLineEdit::QLineEdit;

  // Where the text cursor is drawn, in the box's coordinates.
  QRect caretRect() const { return cursorRect(); }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace ui

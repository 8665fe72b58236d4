// SPDX-License-Identifier: MIT
#include "ui/search_box.h"

#include <QKeyEvent>

namespace ui {

void SearchBox::keyPressEvent(QKeyEvent* event) {
  // AltGr is not Alt here: the characters it types still reach the text.
  if ((event->modifiers() & Qt::AltModifier) != 0 && !event->text().isEmpty()) {
    event->ignore();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

}  // namespace ui

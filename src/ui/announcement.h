// SPDX-License-Identifier: MIT
#pragma once

// Says what an action did to a screen reader without moving the focus. Qt
// 6.4 has no announcement of its own, and the change of a focused control's
// description reaches Orca with the wrong value (the object, not its
// text), so Orca says nothing. This widget draws nothing; it is a
// notification to the accessibility bus, and every announcement shows it
// anew: Orca speaks a notification each time it starts showing, by its
// name ("notification Airport shown: JOHN F KENNEDY INTL, KJFK").

#include <QWidget>

namespace ui {

class Announcement : public QWidget {
  Q_OBJECT

 public:
  explicit Announcement(QWidget* parent);

  void say(const QString& text);
};

}  // namespace ui

// SPDX-License-Identifier: MIT
#pragma once

// Makes Enter and Return on a focused button or check box act as Space
// does. The window has no default button, so Enter in the search box still
// starts nothing.

#include <QObject>

namespace ui {

class EnterKeyClicks : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace ui

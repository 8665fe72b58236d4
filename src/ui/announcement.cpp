// SPDX-License-Identifier: MIT
#include "ui/announcement.h"

#include <QAccessibleWidget>

namespace ui {
namespace {

QAccessibleInterface* announcementFactory(const QString& className, QObject* object) {
  if (className == QLatin1String(Announcement::staticMetaObject.className())) {
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
  }
  return nullptr;
}

}  // namespace

Announcement::Announcement(QWidget* parent) : QWidget(parent) {
  static const bool installed = [] {
    QAccessible::installFactory(announcementFactory);
    return true;
  }();
  (void)installed;
  setObjectName(QStringLiteral("Announcement"));
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setGeometry(0, 0, 1, 1);
  hide();
}

void Announcement::say(const QString& text) {
  hide();
  setAccessibleName(text);
  show();
}

}  // namespace ui

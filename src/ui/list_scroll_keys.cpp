// SPDX-License-Identifier: MIT
#include "ui/list_scroll_keys.h"

#include <QAbstractScrollArea>
#include <QKeyEvent>
#include <QScrollBar>
#include <optional>

namespace ui {
namespace {

std::optional<QAbstractSlider::SliderAction> scrollAction(const QKeyEvent& key) {
  const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
  if (modifiers == Qt::NoModifier) {
    if (key.key() == Qt::Key_PageUp) return QAbstractSlider::SliderPageStepSub;
    if (key.key() == Qt::Key_PageDown) return QAbstractSlider::SliderPageStepAdd;
  } else if (modifiers == Qt::ControlModifier) {
    if (key.key() == Qt::Key_Home) return QAbstractSlider::SliderToMinimum;
    if (key.key() == Qt::Key_End) return QAbstractSlider::SliderToMaximum;
  }
  return std::nullopt;
}

}  // namespace

ListScrollKeys::ListScrollKeys(QAbstractScrollArea* list, QObject* parent)
    : QObject(parent), m_list(list) {}

bool ListScrollKeys::eventFilter(QObject* watched, QEvent* event) {
  // The search box would take Ctrl+Home as a shortcut of its own.
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) {
    return QObject::eventFilter(watched, event);
  }
  const auto* key = static_cast<QKeyEvent*>(event);
  const std::optional<QAbstractSlider::SliderAction> action = scrollAction(*key);
  if (!action) return false;
  if (event->type() == QEvent::ShortcutOverride) {
    event->accept();  // comes back as a key press
    return true;
  }
  m_list->verticalScrollBar()->triggerAction(*action);
  return true;
}

}  // namespace ui

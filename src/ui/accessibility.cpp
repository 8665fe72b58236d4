// SPDX-License-Identifier: MIT
#include "ui/accessibility.h"

#include <QAccessible>
#include <QLabel>
#include <cstddef>
#include <string>

#include "form/accessible_texts.h"
#include "form/languages.h"
#include "form/window_layout.h"
#include "ui/announcement.h"
#include "ui/cp1252_text.h"

namespace ui {
namespace {

using common::ControlId;
using form::accessibleDescription;
using form::AccessibleTexts;
using form::accessibleTexts;
using form::announcement;
using form::ControlLayout;
using form::controlLayouts;

void setDescription(QWidget* widget, const QString& description) {
  if (widget->accessibleDescription() != description) widget->setAccessibleDescription(description);
}

}  // namespace

void Accessibility::update(const common::WindowModel& window, const form::FormState& state) {
  const AccessibleTexts& texts = accessibleTexts(state.langCode);
  if (auto* prompt = qobject_cast<QLabel*>(control(ControlId::Label10))) {
    prompt->setBuddy(control(ControlId::Text1));  // names the search box
  }
  control(ControlId::Frame1)->setAccessibleName(fromCp1252(texts.resultPanel));
  for (const ControlLayout& entry : controlLayouts()) {
    setDescription(control(entry.id), fromCp1252(accessibleDescription(entry, window, texts)));
  }
  if (m_pendingAction) {
    announce(fromCp1252(announcement(*m_pendingAction, state, window, texts)));
    m_pendingAction.reset();
  }
}

void Accessibility::announce(const QString& text) {
  if (!text.isEmpty() && m_announcement != nullptr) m_announcement->say(text);
}

void Accessibility::refreshScreenReaders(QWidget* root) {
  // Rebuilt each time, so that widgets gone since (a closed context menu)
  // leave no entry behind.
  QHash<const QWidget*, bool> shownNow;
  for (QWidget* widget : root->findChildren<QWidget*>()) {
    const bool shown = widget->isVisible();
    const auto known = m_shownToReaders.constFind(widget);
    if (known != m_shownToReaders.constEnd() && *known != shown) {
      QAccessibleEvent event(widget, QAccessible::Selection);
      QAccessible::updateAccessibility(&event);
    }
    shownNow.insert(widget, shown);
  }
  m_shownToReaders = std::move(shownNow);
}

QWidget* Accessibility::control(ControlId id) const {
  return m_controls[static_cast<std::size_t>(id)];
}

}  // namespace ui

// SPDX-License-Identifier: MIT
#include "ui/search_box_accessible.h"

#include <QFontMetrics>
#include <algorithm>

#include "ui/search_box.h"

namespace ui {
namespace {

QAccessibleInterface* searchBoxFactory(const QString& className, QObject* object) {
  if (className == QLatin1String(SearchBox::staticMetaObject.className())) {
    return new SearchBoxAccessible(static_cast<SearchBox*>(object));
  }
  return nullptr;
}

}  // namespace

void installSearchBoxAccessible() {
  static const bool installed = [] {
    QAccessible::installFactory(searchBoxFactory);
    return true;
  }();
  (void)installed;
}

SearchBoxAccessible::SearchBoxAccessible(SearchBox* box)
    : QAccessibleWidget(box, QAccessible::EditableText) {}

SearchBox* SearchBoxAccessible::box() const {
  return static_cast<SearchBox*>(widget());
}

void* SearchBoxAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  if (type == QAccessible::EditableTextInterface) {
    return static_cast<QAccessibleEditableTextInterface*>(this);
  }
  return QAccessibleWidget::interface_cast(type);
}

QString SearchBoxAccessible::text(QAccessible::Text which) const {
  if (which == QAccessible::Value) return box()->text();
  return QAccessibleWidget::text(which);
}

void SearchBoxAccessible::setText(QAccessible::Text which, const QString& text) {
  if (which == QAccessible::Value) {
    box()->setText(text);
  } else {
    QAccessibleWidget::setText(which, text);
  }
}

QAccessible::State SearchBoxAccessible::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  state.editable = !box()->isReadOnly();
  state.readOnly = box()->isReadOnly();
  state.selectableText = true;
  return state;
}

void SearchBoxAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
  *startOffset = *endOffset = 0;
  if (selectionIndex != 0 || !box()->hasSelectedText()) return;
  *startOffset = box()->selectionStart();
  *endOffset = box()->selectionEnd();
}

int SearchBoxAccessible::selectionCount() const {
  return box()->hasSelectedText() ? 1 : 0;
}

void SearchBoxAccessible::addSelection(int startOffset, int endOffset) {
  setSelection(0, startOffset, endOffset);
}

void SearchBoxAccessible::removeSelection(int selectionIndex) {
  if (selectionIndex == 0) box()->deselect();
}

void SearchBoxAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
  if (selectionIndex != 0) return;
  box()->setSelection(startOffset, endOffset - startOffset);
}

int SearchBoxAccessible::cursorPosition() const {
  return box()->cursorPosition();
}

void SearchBoxAccessible::setCursorPosition(int position) {
  box()->setCursorPosition(position);
}

QString SearchBoxAccessible::text(int startOffset, int endOffset) const {
  const QString all = box()->text();
  if (endOffset < 0 || endOffset > all.size()) endOffset = static_cast<int>(all.size());
  startOffset = std::clamp(startOffset, 0, endOffset);
  return all.mid(startOffset, endOffset - startOffset);
}

int SearchBoxAccessible::characterCount() const {
  return static_cast<int>(box()->text().size());
}

// From where the caret is drawn: the box may have scrolled its text.
QRect SearchBoxAccessible::characterRect(int offset) const {
  const QString all = box()->text();
  if (offset < 0 || offset > all.size()) return {};
  const QFontMetrics metrics(box()->font());
  const QRect caret = box()->caretRect();
  const int caretX = caret.center().x();
  const int shift = metrics.horizontalAdvance(all.left(offset)) -
                    metrics.horizontalAdvance(all.left(box()->cursorPosition()));
  const int width = offset < all.size() ? metrics.horizontalAdvance(all.at(offset)) : 1;
  const QRect local(caretX + shift, caret.top(), width, caret.height());
  return QRect(box()->mapToGlobal(local.topLeft()), local.size());
}

int SearchBoxAccessible::offsetAtPoint(const QPoint& point) const {
  return box()->cursorPositionAt(box()->mapFromGlobal(point));
}

void SearchBoxAccessible::scrollToSubstring(int startIndex, int endIndex) {
  box()->setCursorPosition(endIndex);
  box()->setCursorPosition(startIndex);
}

// One run over the whole text, none of its characters set apart.
QString SearchBoxAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
  const int count = characterCount();
  const bool inside = offset >= 0 && offset <= count;
  *startOffset = inside ? 0 : -1;
  *endOffset = inside ? count : -1;
  return {};
}

void SearchBoxAccessible::deleteText(int startOffset, int endOffset) {
  replaceText(startOffset, endOffset, QString());
}

void SearchBoxAccessible::insertText(int offset, const QString& text) {
  replaceText(offset, offset, text);
}

void SearchBoxAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
  QString all = box()->text();
  startOffset = std::clamp(startOffset, 0, static_cast<int>(all.size()));
  endOffset = std::clamp(endOffset, startOffset, static_cast<int>(all.size()));
  all.replace(startOffset, endOffset - startOffset, text);
  box()->setText(all);
  box()->setCursorPosition(startOffset + static_cast<int>(text.size()));
}

}  // namespace ui

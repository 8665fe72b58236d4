// SPDX-License-Identifier: MIT
#pragma once

// What a screen reader sees of the search box. Qt's own interface for a
// line edit gives every character an empty attribute run that ends where
// it starts (0-0, 1-1, ...); Orca joins those runs into one that stops
// before the last character and so read "KJF" for KJFK. This interface
// gives the whole text as one run and is otherwise a plain editable text.

#include <QAccessibleWidget>

namespace ui {

class SearchBox;

// Makes Qt use the interface below for every SearchBox; call it before the
// first SearchBox is created.
void installSearchBoxAccessible();

class SearchBoxAccessible : public QAccessibleWidget,
                            public QAccessibleTextInterface,
                            public QAccessibleEditableTextInterface {
 public:
  explicit SearchBoxAccessible(SearchBox* box);

  void* interface_cast(QAccessible::InterfaceType type) override;
  QString text(QAccessible::Text which) const override;
  void setText(QAccessible::Text which, const QString& text) override;
  QAccessible::State state() const override;

  // QAccessibleTextInterface
  void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
  int selectionCount() const override;
  void addSelection(int startOffset, int endOffset) override;
  void removeSelection(int selectionIndex) override;
  void setSelection(int selectionIndex, int startOffset, int endOffset) override;
  int cursorPosition() const override;
  void setCursorPosition(int position) override;
  QString text(int startOffset, int endOffset) const override;
  int characterCount() const override;
  QRect characterRect(int offset) const override;
  int offsetAtPoint(const QPoint& point) const override;
  void scrollToSubstring(int startIndex, int endIndex) override;
  QString attributes(int offset, int* startOffset, int* endOffset) const override;

  // QAccessibleEditableTextInterface
  void deleteText(int startOffset, int endOffset) override;
  void insertText(int offset, const QString& text) override;
  void replaceText(int startOffset, int endOffset, const QString& text) override;

 private:
  SearchBox* box() const;
};

}  // namespace ui

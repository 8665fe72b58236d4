// SPDX-License-Identifier: MIT
#include "ui/runway_list.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>
#include <cstddef>

namespace ui {
namespace {

// Draws a cell's text as a label draws its own: from the cell's left edge,
// in the label's colour, so a field starts exactly under its heading.
class PlainCell : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    painter->save();
    painter->setFont(option.font);
    painter->setPen(option.palette.color(QPalette::WindowText));
    painter->drawText(option.rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
  }
};

}  // namespace

RunwayList::RunwayList(QWidget* parent) : QTableWidget(0, kColumns, parent) {
  setFrameShape(QFrame::NoFrame);
  setFocusPolicy(Qt::NoFocus);
  setSelectionMode(QAbstractItemView::NoSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setShowGrid(false);
  setWordWrap(false);
  setTextElideMode(Qt::ElideNone);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  horizontalHeader()->hide();
  verticalHeader()->hide();
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  setItemDelegate(new PlainCell(this));
  setAutoFillBackground(false);
  viewport()->setAutoFillBackground(false);
}

void RunwayList::setColumnStarts(const std::array<int, kColumns - 1>& starts) {
  m_starts = starts;
  sizeColumns();
}

void RunwayList::setRows(const std::vector<Row>& rows) {
  if (rows == m_rows) return;
  m_rows = rows;
  setRowCount(static_cast<int>(rows.size()));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < kColumns; ++c) {
      setItem(static_cast<int>(r), static_cast<int>(c), new QTableWidgetItem(rows[r][c]));
    }
  }
  verticalScrollBar()->setValue(0);
}

// The pitch a label lays its lines at, rounded as the text layout rounds
// it, so the rows stand as far apart as lines of text in this font.
int RunwayList::rowPitch() const {
  const QFontMetrics metrics(font());
  const QRect room(0, 0, 1000, 1000);
  const int flags = Qt::AlignLeft | Qt::AlignTop;
  const int pitch = metrics.boundingRect(room, flags, QStringLiteral("X\nX")).height() -
                    metrics.boundingRect(room, flags, QStringLiteral("X")).height();
  return std::max(1, pitch);
}

void RunwayList::resizeEvent(QResizeEvent* event) {
  verticalHeader()->setDefaultSectionSize(rowPitch());
  QTableWidget::resizeEvent(event);
  sizeColumns();
}

// The table sets its margins here for its headers, which it has none of;
// the bottom one keeps half a row from showing.
void RunwayList::updateGeometries() {
  QTableWidget::updateGeometries();
  const int spare = height() % rowPitch();
  if (viewportMargins() != QMargins(0, 0, 0, spare)) setViewportMargins(0, 0, 0, spare);
}

void RunwayList::sizeColumns() {
  int start = 0;
  for (int c = 0; c < kColumns - 1; ++c) {
    const int next = std::max(start, m_starts[static_cast<std::size_t>(c)]);
    setColumnWidth(c, next - start);
    start = next;
  }
  setColumnWidth(kColumns - 1, std::max(0, width() - start));
}

}  // namespace ui

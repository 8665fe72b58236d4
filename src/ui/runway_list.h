// SPDX-License-Identifier: MIT
#pragma once

// Label5, the runway list: one row per runway, each field drawn in its own
// column under its heading. To assistive technology it is a table whose
// cells a screen reader reads row by row; a runway without an ILS frequency
// has an empty cell there. It never takes the focus: the keys of
// ui/list_scroll_keys.h scroll it from the controls that do. The visible
// part is a whole number of rows, and it scrolls by whole rows.

#include <QTableWidget>
#include <array>
#include <vector>

namespace ui {

class RunwayList : public QTableWidget {
 public:
  static constexpr int kColumns = 4;
  using Row = std::array<QString, kColumns>;

  explicit RunwayList(QWidget* parent);

  // Where the columns after the first start, in the list's own coordinates
  // (the x of their headings); the first starts at the list's left edge.
  void setColumnStarts(const std::array<int, kColumns - 1>& starts);

  // Shows new rows from the first one; the same rows leave the list as it is.
  void setRows(const std::vector<Row>& rows);

  int rowPitch() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void updateGeometries() override;

 private:
  void sizeColumns();

  std::array<int, kColumns - 1> m_starts{};
  std::vector<Row> m_rows;
};

}  // namespace ui

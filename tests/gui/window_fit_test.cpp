// SPDX-License-Identifier: MIT
// What a user sees of the real window, measured on the pixels its texts ink
// in the fonts it really uses: no text is cut off by its box and no two
// texts are drawn over each other, for every caption of both languages and
// for every airport of the bundled database.

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "ui/main_window.h"

namespace {

// A pixel counts as inked when the text covers at least half of it.
constexpr int kInkedAlpha = 128;

// The pixels a label's text inks, drawn as the label draws it but without
// its clip, in the coordinates of the label's parent.
struct Ink {
  QRect area;
  QImage alpha;
  bool inked(QPoint point) const {
    return area.contains(point) && qAlpha(alpha.pixel(point - area.topLeft())) >= kInkedAlpha;
  }
};

Ink inkOf(const QLabel& label) {
  const int flags = static_cast<int>(label.alignment()) |
                    (label.wordWrap() ? Qt::TextWordWrap : 0) | Qt::TextDontClip;
  const QRect logical =
      QFontMetrics(label.font()).boundingRect(label.contentsRect(), flags, label.text());
  Ink ink{logical.adjusted(-4, -4, 4, 4).translated(label.pos()), {}};
  ink.alpha = QImage(ink.area.size(), QImage::Format_ARGB32_Premultiplied);
  ink.alpha.fill(Qt::transparent);
  QPainter painter(&ink.alpha);
  painter.setFont(label.font());
  painter.setPen(Qt::black);
  painter.translate(label.pos() - ink.area.topLeft());
  painter.drawText(label.contentsRect(), flags, label.text());
  return ink;
}

// A 12-point line is a pixel taller than Label14's box; a capital's accent
// or the tail of a Q may lose that one row of pixels, and no more.
bool cutOff(const QLabel& label, const Ink& ink) {
  const QRect box = label.geometry().adjusted(0, -1, 0, 1);
  if (box.contains(ink.area)) return false;
  for (int y = ink.area.top(); y <= ink.area.bottom(); ++y) {
    for (int x = ink.area.left(); x <= ink.area.right(); ++x) {
      if (!box.contains(x, y) && ink.inked({x, y})) return true;
    }
  }
  return false;
}

bool drawnOver(const Ink& a, const Ink& b) {
  const QRect both = a.area.intersected(b.area);
  for (int y = both.top(); y <= both.bottom(); ++y) {
    for (int x = both.left(); x <= both.right(); ++x) {
      if (a.inked({x, y}) && b.inked({x, y})) return true;
    }
  }
  return false;
}

// Every fault of the visible labels that are children of `parent`, one per
// line, e.g. "Label4 cut off".
QStringList textFaults(const QWidget& parent) {
  QList<const QLabel*> labels;
  QList<Ink> inks;
  for (const QLabel* label : parent.findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
    if (!label->isVisibleTo(&parent) || label->text().isEmpty()) continue;
    labels << label;
    inks << inkOf(*label);
  }
  QStringList faults;
  for (qsizetype i = 0; i < labels.size(); ++i) {
    if (cutOff(*labels[i], inks[i])) faults << labels[i]->objectName() + " cut off";
    for (qsizetype j = i + 1; j < labels.size(); ++j) {
      if (drawnOver(inks[i], inks[j])) {
        faults << labels[i]->objectName() + " over " + labels[j]->objectName();
      }
    }
  }
  return faults;
}

// A button's or check box's caption fits the room its style leaves for it.
bool captionFits(const QAbstractButton& button) {
  QStyleOptionButton option;
  option.initFrom(&button);
  option.text = button.text();
  const bool check = qobject_cast<const QCheckBox*>(&button) != nullptr;
  const QRect room = button.style()->subElementRect(
      check ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents, &option, &button);
  return QFontMetrics(button.font()).horizontalAdvance(button.text()) <= room.width();
}

}  // namespace

class WindowFitTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void captionsOfBothLanguagesFitTheirBoxes();
  void everyBundledAirportFitsTheResultPanel();

 private:
  void startWindow(const QString& database);
  QStringList windowFaults() const;

  template <class Widget>
  Widget* find(const char* name) const {
    return m_window->findChild<Widget*>(QString::fromLatin1(name));
  }

  std::unique_ptr<QTemporaryDir> m_dir;
  QString m_previousDir;
  std::unique_ptr<ui::MainWindow> m_window;
};

void WindowFitTest::init() {
  m_dir = std::make_unique<QTemporaryDir>();
  QVERIFY(m_dir->isValid());
  m_previousDir = QDir::currentPath();
  QVERIFY(QDir::setCurrent(m_dir->path()));
}

void WindowFitTest::cleanup() {
  m_window.reset();
  QDir::setCurrent(m_previousDir);
  m_dir.reset();
}

void WindowFitTest::startWindow(const QString& database) {
  QVERIFY(QFile::copy(database, QStringLiteral("airports.txt")));
  m_window = std::make_unique<ui::MainWindow>();
  QVERIFY(m_window->startUp());
  m_window->show();
  QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

QStringList WindowFitTest::windowFaults() const {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  QStringList faults = textFaults(*m_window->centralWidget());
  faults << textFaults(*find<QWidget>("Frame1"));
  // Each runway field fits the column it is drawn in, under its heading.
  const auto* runways = find<QTableWidget>("Label5");
  const QFontMetrics metrics(runways->font());
  for (int row = 0; row < runways->rowCount(); ++row) {
    for (int column = 0; column < runways->columnCount(); ++column) {
      if (metrics.horizontalAdvance(runways->item(row, column)->text()) >
          runways->columnWidth(column)) {
        faults << QStringLiteral("Label5 row %1 column %2 cut off").arg(row + 1).arg(column + 1);
      }
    }
  }
  for (const QAbstractButton* button : m_window->findChildren<QAbstractButton*>()) {
    if (button->isVisible() && !captionFits(*button)) faults << button->objectName() + " cut off";
  }
  return faults;
}

void WindowFitTest::captionsOfBothLanguagesFitTheirBoxes() {
  startWindow(QStringLiteral(VANTRELO_BUNDLED_DATABASE));
  if (QTest::currentTestFailed()) return;
  find<QPushButton>("Command1")->click();  // shows the panel's headings
  QVERIFY(find<QWidget>("Frame1")->isVisible());

  for (const char* language : {"MenuItaliano", "MenuInglese"}) {
    find<QAction>(language)->trigger();
    const QStringList faults = windowFaults();
    QVERIFY2(faults.isEmpty(),
             qPrintable(QString::fromLatin1(language) + ": " + faults.join(QStringLiteral(", "))));
  }
}

// Steps through the whole database with an empty search text, which finds
// every airport in file order, until the first one comes round again.
void WindowFitTest::everyBundledAirportFitsTheResultPanel() {
  startWindow(QStringLiteral(VANTRELO_BUNDLED_DATABASE));
  if (QTest::currentTestFailed()) return;
  auto* text1 = find<QLineEdit>("Text1");
  auto* search = find<QPushButton>("Command1");
  auto* icao = find<QLabel>("Label2");

  text1->selectAll();
  QTest::keyClick(text1, Qt::Key_Backspace);  // an empty text stays empty after a search
  QVERIFY(text1->text().isEmpty());

  QStringList faults;
  QString first;
  int airports = 0;
  for (;;) {
    search->click();
    const QString shown = icao->toolTip().isEmpty() ? icao->text() : icao->toolTip();
    if (shown == first) break;
    if (first.isEmpty()) first = shown;
    QVERIFY2(++airports < 100000, "the search never came round to the first airport");
    for (const QString& fault : windowFaults())
      faults << shown + ": " + fault;
  }
  QVERIFY(airports > 1);
  QVERIFY2(faults.isEmpty(), qPrintable(QString::number(faults.size()) + " faults, e.g. " +
                                        faults.mid(0, 10).join(QStringLiteral("; "))));
}

QTEST_MAIN(WindowFitTest)
#include "window_fit_test.moc"

// SPDX-License-Identifier: MIT
// The real window on Qt's offscreen platform: real widgets, real clicks and
// key presses, in a scratch working directory holding a small airports.txt.
// The logic behind the widgets is covered through the headless driver; these
// tests check that the widgets reach it and show what it leaves.

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "ui/main_window.h"

namespace {

// Windows-1252 bytes, CR LF line ends; \xDC is Ü and \xFC is ü.
constexpr char kDatabase[] =
    "1|LIRF|ROMA FIUMICINO|41800278|12238889|15|Roma|--|ITALIA|\r\n"
    "1|16R|160|12795|0|109.30|\r\n"
    "1|34L|340|12795|0|0|\r\n"
    "\r\n"
    "1|KJFK|JOHN F KENNEDY INTL|40639751|-73778925|13|New York|--|UNITED STATES|\r\n"
    "1|04L|040|12079|0|109.50|\r\n"
    "1|22R|220|12079|0|0|\r\n"
    "1|13R|130|14511|0|0|\r\n"
    "\r\n"
    "1|LSZH|Z\xDCRICH KLOTEN|47464722|8549167|1416|Z\xFCrich|--|SCHWEIZ|\r\n"
    "1|16|160|12139|0|110.50|\r\n";

void writeFile(const QString& name, const QByteArray& bytes) {
  QFile file(name);
  QVERIFY(file.open(QIODevice::WriteOnly));
  QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& name) {
  QFile file(name);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Types text as key presses, one per character. QTest::keyClicks only
// knows ASCII; Qt's key codes for Latin-1 letters are their upper-case code
// points (Qt::Key_Udiaeresis is 0xDC).
void typeText(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    QTest::sendKeyEvent(QTest::Click, widget, static_cast<Qt::Key>(c.toUpper().unicode()),
                        QString(c), Qt::NoModifier);
  }
}

// What the test saw of a modal message box before closing it with OK.
struct SeenBox {
  bool shown = false;
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::Information;
  qsizetype buttonCount = 0;
  bool okButton = false;
  bool modal = false;
  bool isActiveModal = false;
  QWidget* parent = nullptr;
  bool mainWindowVisible = false;
};

// Runs `action`, which must open a modal message box; records the box from
// inside its event loop, runs `whileOpen` there, and closes the box with its
// OK button.
SeenBox runWithMessageBox(const std::function<void()>& action,
                          const std::function<void()>& whileOpen = {}) {
  SeenBox seen;
  QTimer poll;
  int tries = 0;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
      if (++tries > 500) poll.stop();  // give up after about five seconds
      return;
    }
    poll.stop();
    seen.shown = true;
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    seen.buttonCount = box->buttons().size();
    seen.okButton = box->button(QMessageBox::Ok) != nullptr;
    seen.modal = box->isModal() || box->windowModality() != Qt::NonModal;
    seen.isActiveModal = QApplication::activeModalWidget() == box;
    seen.parent = box->parentWidget();
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (qobject_cast<QMainWindow*>(top) != nullptr && top->isVisible()) {
        seen.mainWindowVisible = true;
      }
    }
    if (whileOpen) whileOpen();
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) ok->click();
  });
  poll.start(10);
  action();
  return seen;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void startUpShowsOnlyTheSearchControls();
  void searchButtonFillsTheResultPanel();
  void typedTextAndTickReachTheSearch();
  void textSetWithoutTypingIsSearched();
  void nameCutOnScreenIsReadWhole();
  void focusedControlAnnouncesWhatAnActionDid();
  void languageMenuSwitchesTheCaptions();
  void enterInSearchBoxStartsNothing();
  void enterOnAFocusedButtonActsAsSpace();
  void messageBoxesOpenOverTheStateReached();
  void longRunwayListScrollsByWholeRows();
  void aboutBoxIsModalWithTitleAndTwoLines();
  void startUpFailureShowsABoxAndNeverTheWindow();
  void controlsHaveTheirGeometryFontsAndColoursAt96Dpi();
  void onlyTheInputControlsTakeFocusInTabOrder();
  void exitEndsTheProgramWithoutSaving();

 private:
  // Builds the window, runs start-up and shows it.
  void startWindow();

  template <class Widget>
  Widget* find(const char* name) const {
    auto* widget = m_window->findChild<Widget*>(QString::fromLatin1(name));
    if (widget == nullptr) qWarning("no control %s", name);
    return widget;
  }
  QAction* menuItem(const char* name) const { return find<QAction>(name); }
  QString labelText(const char* name) const { return find<QLabel>(name)->text(); }
  QString accessibleText(const char* name, QAccessible::Text which) const {
    return QAccessible::queryAccessibleInterface(find<QWidget>(name))->text(which);
  }

  std::unique_ptr<QTemporaryDir> m_dir;
  QString m_previousDir;
  std::unique_ptr<ui::MainWindow> m_window;
};

void MainWindowTest::init() {
  m_dir = std::make_unique<QTemporaryDir>();
  QVERIFY(m_dir->isValid());
  m_previousDir = QDir::currentPath();
  QVERIFY(QDir::setCurrent(m_dir->path()));
  writeFile(QStringLiteral("airports.txt"), QByteArray(kDatabase));
}

void MainWindowTest::cleanup() {
  m_window.reset();
  QDir::setCurrent(m_previousDir);
  m_dir.reset();
}

void MainWindowTest::startWindow() {
  m_window = std::make_unique<ui::MainWindow>();
  QVERIFY(m_window->startUp());
  m_window->show();
  QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void MainWindowTest::startUpShowsOnlyTheSearchControls() {
  startWindow();
  if (QTest::currentTestFailed()) return;

  QCOMPARE(m_window->windowTitle(), QStringLiteral("Vantrelo                       Ver.2"));
  for (const char* shown : {"Text1", "Command1", "Label10", "Check1"}) {
    QVERIFY2(find<QWidget>(shown)->isVisible(), shown);
  }
  for (const char* hidden : {"Command2", "Command3", "Label18", "Frame1", "Label14", "Label5"}) {
    QVERIFY2(!find<QWidget>(hidden)->isVisible(), hidden);
  }
  // First run: English, with the default airport in the search box.
  QCOMPARE(find<QLineEdit>("Text1")->text(), QStringLiteral("KJFK"));
  QCOMPARE(find<QPushButton>("Command1")->text(), QStringLiteral("SEARCH"));
  QCOMPARE(labelText("Label10"), QStringLiteral("To insert name airport or code ICAO"));
  QCOMPARE(find<QCheckBox>("Check1")->text(), QStringLiteral("CREATES DATE FILE"));
  QVERIFY(!find<QCheckBox>("Check1")->isChecked());

  // The menu bar: File (Language: Italiano, English; Exit) and Help (About).
  const QList<QAction*> bar = m_window->menuBar()->actions();
  QCOMPARE(bar.size(), 2);
  QCOMPARE(bar[0]->text(), QStringLiteral("&File"));
  QCOMPARE(bar[1]->text(), QStringLiteral("&Help"));
  const QList<QAction*> file = bar[0]->menu()->actions();
  QCOMPARE(file.size(), 2);
  QCOMPARE(file[0]->text(), QStringLiteral("&Language"));
  QCOMPARE(file[1]->text(), QStringLiteral("&Exit"));
  const QList<QAction*> lingua = file[0]->menu()->actions();
  QCOMPARE(lingua.size(), 2);
  QCOMPARE(lingua[0]->text(), QStringLiteral("&Italiano"));
  QCOMPARE(lingua[1]->text(), QStringLiteral("&English"));
  QCOMPARE(bar[1]->menu()->actions().size(), 1);
  QCOMPARE(bar[1]->menu()->actions()[0]->text(), QStringLiteral("&About"));
  for (QAction* item : file + lingua + bar[1]->menu()->actions()) {
    QVERIFY(!item->isSeparator());
    QVERIFY(!item->isCheckable());
    QVERIFY(item->shortcut().isEmpty());
  }

  // A screen reader hears what each control shows, and what a value is as
  // its description; the search box is named by its prompt.
  QCOMPARE(accessibleText("Text1", QAccessible::Name),
           QStringLiteral("To insert name airport or code ICAO"));
  QCOMPARE(accessibleText("Command1", QAccessible::Name), QStringLiteral("SEARCH"));
  QCOMPARE(accessibleText("Label4", QAccessible::Description), QStringLiteral("Airport name"));
  for (QWidget* control : m_window->centralWidget()->findChildren<QWidget*>()) {
    // Qt's own parts of the runway list's scroll area carry no control name.
    if (control->objectName().isEmpty() || control->objectName().startsWith("qt_")) continue;
    const QByteArray name = control->objectName().toLatin1();
    QVERIFY2(!accessibleText(name.constData(), QAccessible::Name).isEmpty() ||
                 !accessibleText(name.constData(), QAccessible::Description).isEmpty(),
             name.constData());
  }
}

void MainWindowTest::searchButtonFillsTheResultPanel() {
  startWindow();
  if (QTest::currentTestFailed()) return;

  QTest::mouseClick(find<QPushButton>("Command1"), Qt::LeftButton);

  QVERIFY(find<QFrame>("Frame1")->isVisible());
  QCOMPARE(labelText("Label2"), QStringLiteral("KJFK"));
  QCOMPARE(labelText("Label4"), QStringLiteral("JOHN F KENNEDY INTL"));
  QCOMPARE(labelText("Label14"), QStringLiteral("NEW YORK"));
  QCOMPARE(labelText("Label16"), QStringLiteral("UNITED STATES"));
  QCOMPARE(labelText("Label6"), QStringLiteral(" 3"));
  QCOMPARE(labelText("Label3"), QStringLiteral("AIRPORT"));
  QVERIFY(find<QLabel>("Label5")->isVisible());

  // One line per runway: the CR that closes each row is a line break.
  const QString runways = labelText("Label5");
  QVERIFY(!runways.contains(QLatin1Char('\r')));
  const QStringList rows = runways.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  QCOMPARE(rows.size(), 3);
  QVERIFY(rows[0].startsWith(QStringLiteral("04L ")));
  QVERIFY(rows[0].contains(QStringLiteral("040\u00B0")));
  QVERIFY(rows[0].contains(QStringLiteral("12079 ft./ 3681 mt.")));
  QVERIFY(rows[2].startsWith(QStringLiteral("13R ")));

  auto* mark = find<QPushButton>("Command2");
  QVERIFY(mark->isVisible());
  QCOMPARE(mark->text(), QStringLiteral("SET P"));
  QVERIFY(!find<QPushButton>("Command3")->isVisible());
}

void MainWindowTest::typedTextAndTickReachTheSearch() {
  startWindow();
  if (QTest::currentTestFailed()) return;
  auto* text1 = find<QLineEdit>("Text1");
  auto* check1 = find<QCheckBox>("Check1");
  auto* search = find<QPushButton>("Command1");

  // Unticked: the search writes no data sheet.
  QTest::mouseClick(search, Qt::LeftButton);
  QCOMPARE(labelText("Label2"), QStringLiteral("KJFK"));
  QVERIFY(QDir().entryList({QStringLiteral("KJFK*")}, QDir::Files).isEmpty());

  text1->selectAll();
  typeText(text1, QStringLiteral("z\u00FCrich"));
  QTest::mouseClick(check1, Qt::LeftButton);
  QVERIFY(check1->isChecked());
  QTest::mouseClick(search, Qt::LeftButton);

  // The typed text, upper-cased, found the accented name.
  QCOMPARE(text1->text(), QStringLiteral("Z\u00DCRICH"));
  QCOMPARE(labelText("Label2"), QStringLiteral("LSZH"));
  QCOMPARE(labelText("Label4"), QStringLiteral("Z\u00DCRICH KLOTEN"));
  QCOMPARE(labelText("Label14"), QStringLiteral("Z\u00DCRICH"));
  QCOMPARE(QDir().entryList({QStringLiteral("LSZH*")}, QDir::Files).size(), 1);
  QVERIFY(check1->isChecked());
}

void MainWindowTest::textSetWithoutTypingIsSearched() {
  startWindow();
  if (QTest::currentTestFailed()) return;

  // As an assistive tool, a paste or an input method sets it: no key presses.
  find<QLineEdit>("Text1")->setText(QStringLiteral("lszh"));
  QTest::mouseClick(find<QPushButton>("Command1"), Qt::LeftButton);

  QCOMPARE(find<QLineEdit>("Text1")->text(), QStringLiteral("LSZH"));
  QCOMPARE(labelText("Label2"), QStringLiteral("LSZH"));
  QVERIFY(readFile(QStringLiteral("Vantrelo.ini")).contains("\"LSZH\""));
}

// A name too long for its box is cut short on screen; its tooltip and a
// screen reader still give it whole, and a shorter one is named by its text.
void MainWindowTest::nameCutOnScreenIsReadWhole() {
  const QByteArray name =
      "LAKE MARIANO GENERAL IGNACIO LOPEZ RAYON AND SAINT HELENA INTERNATIONAL AIRPORT FIELD";
  writeFile(QStringLiteral("airports.txt"),
            "1|ZZZZ|" + name + "|41800278|12238889|15|T|--|X|\r\n\r\n" + kDatabase);
  startWindow();
  if (QTest::currentTestFailed()) return;
  const auto searchFor = [this](const char* text) {
    auto* text1 = find<QLineEdit>("Text1");
    text1->selectAll();
    QTest::keyClicks(text1, QString::fromLatin1(text));
    QTest::mouseClick(find<QPushButton>("Command1"), Qt::LeftButton);
  };

  searchFor("zzzz");
  QVERIFY(labelText("Label4") != QString::fromLatin1(name));
  QCOMPARE(find<QLabel>("Label4")->toolTip(), QString::fromLatin1(name));
  QCOMPARE(accessibleText("Label4", QAccessible::Name), QString::fromLatin1(name));

  searchFor("kjfk");
  QCOMPARE(accessibleText("Label4", QAccessible::Name), QStringLiteral("JOHN F KENNEDY INTL"));
}

void MainWindowTest::focusedControlAnnouncesWhatAnActionDid() {
  startWindow();
  if (QTest::currentTestFailed()) return;
  m_window->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
  auto* search = find<QPushButton>("Command1");
  const QString searchDescription = search->accessibleDescription();

  search->setFocus();
  QTest::mouseClick(search, Qt::LeftButton);
  QCOMPARE(search->accessibleDescription(),
           QStringLiteral("Airport shown: JOHN F KENNEDY INTL, KJFK"));

  // SET P hides itself, so the focus moves on to the search box, which says
  // what was marked; the search button is back to saying what it does.
  auto* mark = find<QPushButton>("Command2");
  auto* text1 = find<QLineEdit>("Text1");
  mark->setFocus();
  QTest::mouseClick(mark, Qt::LeftButton);
  QCOMPARE(QApplication::focusWidget(), text1);
  QCOMPARE(text1->accessibleDescription(), QStringLiteral("Departure marked: KJFK"));
  QCOMPARE(search->accessibleDescription(), searchDescription);

  // In Italian; SET D hands the focus to CALC, and CALC back to the search box.
  menuItem("MenuItaliano")->trigger();
  text1->setText(QStringLiteral("lszh"));
  search->setFocus();
  QTest::mouseClick(search, Qt::LeftButton);
  QCOMPARE(search->accessibleDescription(),
           QStringLiteral("Aeroporto mostrato: Z\u00DCRICH KLOTEN, LSZH"));
  mark->setFocus();
  QTest::mouseClick(mark, Qt::LeftButton);
  auto* calc = find<QPushButton>("Command3");
  QCOMPARE(QApplication::focusWidget(), calc);
  QCOMPARE(calc->accessibleDescription(), QStringLiteral("Destinazione segnata: LSZH"));
  QTest::mouseClick(calc, Qt::LeftButton);
  QCOMPARE(QApplication::focusWidget(), text1);
  QVERIFY(labelText("Label18").startsWith(QStringLiteral("KJFK==>LSZH ")));
  QCOMPARE(text1->accessibleDescription(), QStringLiteral("Distanza: ") + labelText("Label18"));
}

void MainWindowTest::languageMenuSwitchesTheCaptions() {
  startWindow();
  if (QTest::currentTestFailed()) return;

  menuItem("MenuItaliano")->trigger();

  QCOMPARE(find<QPushButton>("Command1")->text(), QStringLiteral("CERCA"));
  QCOMPARE(labelText("Label10"), QStringLiteral("Immettere nome aeroporto o codice ICAO"));
  QCOMPARE(find<QCheckBox>("Check1")->text(), QStringLiteral("CREA FILE DATI"));
  QCOMPARE(labelText("Label3"), QStringLiteral("AEROPORTO"));
  QCOMPARE(labelText("Label11"), QStringLiteral("ELEVAZIONE"));
  QCOMPARE(labelText("LabelPista"), QStringLiteral("PISTA"));
  QCOMPARE(labelText("Label7"), QStringLiteral("Orientamento pista"));
  QCOMPARE(labelText("Label13"), QStringLiteral("Piste"));
  QCOMPARE(menuItem("MenuLingua")->text(), QStringLiteral("&Lingua"));
  QCOMPARE(find<QMenu>("MenuLingua")->title(), QStringLiteral("&Lingua"));
  QVERIFY(readFile(QStringLiteral("Vantrelo.ini")).startsWith("\"Ita\""));
  // Not translated.
  QCOMPARE(m_window->windowTitle(), QStringLiteral("Vantrelo                       Ver.2"));
  QCOMPARE(labelText("Label1"), QStringLiteral("ICAO"));
  QCOMPARE(menuItem("MenuFile")->text(), QStringLiteral("&File"));
  QCOMPARE(menuItem("MenuAbout")->text(), QStringLiteral("&About"));
  QCOMPARE(find<QPushButton>("Command3")->text(), QStringLiteral("CALC"));

  menuItem("MenuInglese")->trigger();

  QCOMPARE(find<QPushButton>("Command1")->text(), QStringLiteral("SEARCH"));
  QCOMPARE(labelText("Label9"), QStringLiteral("Frequency ILS"));
  QCOMPARE(find<QCheckBox>("Check1")->text(), QStringLiteral("CREATES DATE FILE"));
  QCOMPARE(find<QMenu>("MenuLingua")->title(), QStringLiteral("&Language"));
  QVERIFY(readFile(QStringLiteral("Vantrelo.ini")).startsWith("\"Eng\""));
}

void MainWindowTest::enterInSearchBoxStartsNothing() {
  startWindow();
  if (QTest::currentTestFailed()) return;
  auto* text1 = find<QLineEdit>("Text1");
  text1->setFocus();
  text1->selectAll();
  QTest::keyClicks(text1, QStringLiteral("lirf"));

  QTest::keyClick(text1, Qt::Key_Return);
  QTest::keyClick(text1, Qt::Key_Enter);

  // A search would have upper-cased the text and shown the panel.
  QCOMPARE(text1->text(), QStringLiteral("lirf"));
  QVERIFY(!find<QFrame>("Frame1")->isVisible());
  QVERIFY(!find<QPushButton>("Command2")->isVisible());
  QCOMPARE(labelText("Label2"), QStringLiteral("icao"));
  // The typed text is what the next click searches for.
  QTest::mouseClick(find<QPushButton>("Command1"), Qt::LeftButton);
  QCOMPARE(labelText("Label2"), QStringLiteral("LIRF"));
}

void MainWindowTest::enterOnAFocusedButtonActsAsSpace() {
  startWindow();
  if (QTest::currentTestFailed()) return;
  QApplication::setActiveWindow(m_window.get());
  QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
  const auto press = [this](const char* name, Qt::Key key) {
    QWidget* widget = find<QWidget>(name);
    widget->setFocus();
    QCOMPARE(QApplication::focusWidget(), widget);
    QTest::keyClick(widget, key);
  };

  press("Command1", Qt::Key_Return);
  QCOMPARE(labelText("Label2"), QStringLiteral("KJFK"));
  press("Check1", Qt::Key_Enter);
  QVERIFY(find<QCheckBox>("Check1")->isChecked());
  press("Check1", Qt::Key_Return);
  QVERIFY(!find<QCheckBox>("Check1")->isChecked());

  press("Command2", Qt::Key_Return);  // SET P
  auto* text1 = find<QLineEdit>("Text1");
  text1->setFocus();
  text1->selectAll();
  QTest::keyClicks(text1, QStringLiteral("lirf"));
  press("Command1", Qt::Key_Enter);
  QCOMPARE(labelText("Label2"), QStringLiteral("LIRF"));
  press("Command2", Qt::Key_Enter);  // SET D offers the distance
  QVERIFY(find<QPushButton>("Command3")->isVisible());
  press("Command3", Qt::Key_Return);
  QVERIFY(find<QLabel>("Label18")->isVisible());
  QVERIFY(labelText("Label18").startsWith(QStringLiteral("KJFK==>LIRF")));
}

// A box is read against the window: every change the action made before
// the box is on screen when it opens.
void MainWindowTest::messageBoxesOpenOverTheStateReached() {
  startWindow();
  if (QTest::currentTestFailed()) return;
  auto* text1 = find<QLineEdit>("Text1");
  struct Seen {
    QString text1, label2, label4, command1;
    bool frameVisible = false;
  } seen;
  const auto record = [&] {
    seen = {text1->text(), labelText("Label2"), labelText("Label4"),
            find<QPushButton>("Command1")->text(), find<QFrame>("Frame1")->isVisible()};
  };

  text1->selectAll();
  QTest::keyClicks(text1, QStringLiteral("nowhere"));
  const SeenBox notFound = runWithMessageBox(
      [this] { QTest::mouseClick(find<QPushButton>("Command1"), Qt::LeftButton); }, record);
  QCOMPARE(notFound.text, QStringLiteral("No airport found: NOWHERE"));
  QCOMPARE(seen.text1, QStringLiteral("NOWHERE"));
  QVERIFY(seen.frameVisible);

  QVERIFY(QDir().mkdir(QStringLiteral("LIRF  ROMA FIUMICINO.txt")));  // no sheet can go there
  QTest::mouseClick(find<QCheckBox>("Check1"), Qt::LeftButton);
  text1->selectAll();
  QTest::keyClicks(text1, QStringLiteral("lirf"));
  const SeenBox sheet = runWithMessageBox(
      [this] { QTest::mouseClick(find<QPushButton>("Command1"), Qt::LeftButton); }, record);
  QVERIFY2(sheet.text.startsWith(QStringLiteral("Cannot write")), qPrintable(sheet.text));
  QCOMPARE(seen.label2, QStringLiteral("LIRF"));
  QCOMPARE(seen.label4, QStringLiteral("ROMA FIUMICINO"));

  QVERIFY(QFile::remove(QStringLiteral("Vantrelo.ini")));
  QVERIFY(QDir().mkdir(QStringLiteral("Vantrelo.ini")));  // the language cannot be saved
  const SeenBox language =
      runWithMessageBox([this] { menuItem("MenuItaliano")->trigger(); }, record);
  QVERIFY2(language.text.startsWith(QStringLiteral("Impossibile scrivere")),
           qPrintable(language.text));
  QCOMPARE(seen.command1, QStringLiteral("CERCA"));
}

// KORD has 17 runway lines, more than Label5's box holds: a scroll bar
// appears, and at every position each row is either whole or not shown.
void MainWindowTest::longRunwayListScrollsByWholeRows() {
  QByteArray database;
  for (const char* icao : {"KORD", "KDFW"}) {
    database += "1|" + QByteArray(icao) + "|LONG LIST|41978600|-87904800|680|a|--|US|\r\n";
    for (int i = 1; i <= 16; ++i) {
      database += QStringLiteral("1|R%1|%2|7500|0|110.%1|\r\n").arg(i).arg(i * 10).toLatin1();
    }
    database += "1|" + QByteArray(icao) + "|000|100|0|0|\r\n\r\n";  // no two lists alike
  }
  database += kDatabase;
  writeFile(QStringLiteral("airports.txt"), database);
  startWindow();
  if (QTest::currentTestFailed()) return;
  auto* rows = find<QLabel>("Label5");
  auto* area = find<QScrollArea>("Label5Scroll");
  QScrollBar* bar = area->verticalScrollBar();
  const auto searchFor = [this](const char* text) {
    auto* text1 = find<QLineEdit>("Text1");
    text1->selectAll();
    QTest::keyClicks(text1, QString::fromLatin1(text));
    QTest::mouseClick(find<QPushButton>("Command1"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  };

  searchFor("kjfk");
  QVERIFY(!bar->isVisible());  // three rows fit

  searchFor("kord");
  QVERIFY(bar->isVisible());
  QCOMPARE(bar->value(), 0);
  // The label lays its lines at an even pitch, the last row's CR closing a
  // line too.
  const int rowHeight =
      rows->height() / static_cast<int>(rows->text().count(QLatin1Char('\n')) + 1);
  const int shownHeight = area->viewport()->height();
  QList<bool> seenWhole(17, false);
  for (int step = 0; step < 100; ++step) {
    for (int row = 0; row < 17; ++row) {
      const int top = row * rowHeight - bar->value();
      const int bottom = top + rowHeight;
      const bool whole = top >= 0 && bottom <= shownHeight;
      QVERIFY2(whole || bottom <= 0 || top >= shownHeight,
               qPrintable(QStringLiteral("row %1 cut at %2").arg(row + 1).arg(bar->value())));
      if (whole) seenWhole[row] = true;
    }
    if (bar->value() == bar->maximum()) break;
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  }
  QVERIFY(!seenWhole.contains(false));
  QCOMPARE(rows->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts).size(), 17);

  // Dragging ends on a row boundary, and a new airport starts at the top.
  bar->setValue(rowHeight + rowHeight / 2);
  QCOMPARE(bar->value() % rowHeight, 0);
  searchFor("kdfw");
  QVERIFY(bar->isVisible());
  QCOMPARE(bar->value(), 0);
}

void MainWindowTest::aboutBoxIsModalWithTitleAndTwoLines() {
  startWindow();
  if (QTest::currentTestFailed()) return;

  const SeenBox box = runWithMessageBox([this] { menuItem("MenuAbout")->trigger(); });

  QVERIFY(box.shown);
  QCOMPARE(box.title, QStringLiteral("Vantrelo"));
  QCOMPARE(box.text, QStringLiteral("Vantrelo\nVer.2"));
  QCOMPARE(box.icon, QMessageBox::NoIcon);
  QCOMPARE(box.buttonCount, 1);
  QVERIFY(box.okButton);
  QVERIFY(box.modal);
  QVERIFY(box.isActiveModal);
  QCOMPARE(box.parent, static_cast<QWidget*>(m_window.get()));
  QVERIFY(QApplication::activeModalWidget() == nullptr);
  QVERIFY(!find<QFrame>("Frame1")->isVisible());
}

void MainWindowTest::startUpFailureShowsABoxAndNeverTheWindow() {
  QVERIFY(QFile::remove(QStringLiteral("airports.txt")));
  m_window = std::make_unique<ui::MainWindow>();

  bool started = true;
  const SeenBox box = runWithMessageBox([&] { started = m_window->startUp(); });

  QVERIFY(!started);
  QVERIFY(box.shown);
  QCOMPARE(box.title, QStringLiteral("Vantrelo"));
  QVERIFY2(box.text.contains(QStringLiteral("airports.txt")), qPrintable(box.text));
  QCOMPARE(box.icon, QMessageBox::NoIcon);
  QCOMPARE(box.buttonCount, 1);
  QVERIFY(box.modal);
  QVERIFY(!box.mainWindowVisible);
  QVERIFY(!m_window->isVisible());
}

void MainWindowTest::controlsHaveTheirGeometryFontsAndColoursAt96Dpi() {
  startWindow();
  if (QTest::currentTestFailed()) return;
  if (m_window->logicalDpiX() != 96 || m_window->logicalDpiY() != 96) {
    QSKIP("the pixel values below hold at 96 DPI");
  }

  QWidget* client = m_window->centralWidget();
  QCOMPARE(client->size(), QSize(465, 511));
  QCOMPARE(m_window->size(), QSize(465, 511 + m_window->menuBar()->height()));
  QCOMPARE(find<QLineEdit>("Text1")->geometry(), QRect(24, 8, 185, 19));
  QCOMPARE(find<QPushButton>("Command1")->geometry(), QRect(216, 0, 57, 33));
  QCOMPARE(find<QCheckBox>("Check1")->geometry(), QRect(280, 8, 185, 25));
  QCOMPARE(find<QPushButton>("Command3")->geometry(), QRect(280, 40, 49, 25));
  QCOMPARE(find<QLabel>("Label18")->geometry(), QRect(56, 48, 401, 25));
  auto* frame = find<QFrame>("Frame1");
  QCOMPARE(frame->geometry(), QRect(0, 64, 465, 441));
  // Result labels sit inside the frame, placed relative to it; the runway
  // list scrolls within Label5's box.
  auto* runways = find<QWidget>("Label5Scroll");
  QCOMPARE(runways->parentWidget(), static_cast<QWidget*>(frame));
  QCOMPARE(runways->geometry(), QRect(16, 264, 425, 161));
  QVERIFY(runways->isAncestorOf(find<QLabel>("Label5")));
  QCOMPARE(find<QLabel>("Label14")->geometry(), QRect(8, 16, 449, 17));

  // Fonts: bold 12 for the large result lines, bold 8.25 for headings.
  const QFont large = find<QLabel>("Label14")->font();
  QCOMPARE(large.pointSizeF(), 12.0);
  QCOMPARE(large.weight(), QFont::Bold);
  const QFont heading = find<QLabel>("Label3")->font();
  QCOMPARE(heading.pointSizeF(), 8.25);
  QCOMPARE(heading.weight(), QFont::Bold);
  const QFont plain = find<QLabel>("Label4")->font();
  QCOMPARE(plain.pointSizeF(), 8.25);
  QCOMPARE(plain.weight(), QFont::Normal);
  QCOMPARE(find<QPushButton>("Command1")->font().pointSizeF(), 8.25);

  // Alignment, wrapping and colour.
  QCOMPARE(find<QLabel>("Label14")->alignment(), Qt::AlignHCenter | Qt::AlignTop);
  QCOMPARE(find<QLabel>("Label6")->alignment(), Qt::AlignRight | Qt::AlignTop);
  QCOMPARE(find<QLabel>("Label4")->alignment(), Qt::AlignLeft | Qt::AlignTop);
  QVERIFY(find<QLabel>("Label10")->wordWrap());
  for (const char* red : {"Label14", "Label16", "Label17", "Label18"}) {
    QCOMPARE(find<QLabel>(red)->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  }
  QVERIFY(find<QLabel>("Label4")->palette().color(QPalette::WindowText) != QColor(255, 0, 0));

  // Command2 and Command3 overlap Label18 and are drawn above it.
  const QObjectList stack = client->children();
  const qsizetype label18 = stack.indexOf(find<QLabel>("Label18"));
  QVERIFY(label18 >= 0);
  QVERIFY(stack.indexOf(find<QPushButton>("Command2")) > label18);
  QVERIFY(stack.indexOf(find<QPushButton>("Command3")) > label18);
}

void MainWindowTest::onlyTheInputControlsTakeFocusInTabOrder() {
  startWindow();
  if (QTest::currentTestFailed()) return;

  const QStringList expected = {QStringLiteral("Text1"), QStringLiteral("Command1"),
                                QStringLiteral("Check1"), QStringLiteral("Command2"),
                                QStringLiteral("Command3")};
  QStringList focusable;
  for (QWidget* control : m_window->centralWidget()->findChildren<QWidget*>()) {
    if (control->focusPolicy() != Qt::NoFocus) focusable << control->objectName();
  }
  focusable.sort();
  QStringList sortedExpected = expected;
  sortedExpected.sort();
  QCOMPARE(focusable, sortedExpected);

  // The focus chain from Text1, keeping the controls Tab stops at.
  QWidget* text1 = find<QLineEdit>("Text1");
  QStringList chain;
  QWidget* widget = text1;
  do {
    if ((widget->focusPolicy() & Qt::TabFocus) != 0) chain << widget->objectName();
    widget = widget->nextInFocusChain();
  } while (widget != text1 && chain.size() <= expected.size());
  QCOMPARE(chain, expected);

  // Real Tab presses over the controls visible after start-up.
  QApplication::setActiveWindow(m_window.get());
  QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
  text1->setFocus();
  QCOMPARE(QApplication::focusWidget(), text1);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Command1"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Check1"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), text1);
}

void MainWindowTest::exitEndsTheProgramWithoutSaving() {
  startWindow();
  if (QTest::currentTestFailed()) return;
  const QByteArray settings = readFile(QStringLiteral("Vantrelo.ini"));
  QVERIFY(!settings.isEmpty());
  auto* text1 = find<QLineEdit>("Text1");
  text1->selectAll();
  QTest::keyClicks(text1, QStringLiteral("LIRF"));

  // Exit must end the event loop by itself; the guard ends it otherwise.
  QTimer::singleShot(0, menuItem("Exit"), &QAction::trigger);
  QTimer guard;
  guard.setSingleShot(true);
  connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
  guard.start(5000);
  const int status = QCoreApplication::exec();
  guard.stop();

  QCOMPARE(status, 0);
  QCOMPARE(readFile(QStringLiteral("Vantrelo.ini")), settings);
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"

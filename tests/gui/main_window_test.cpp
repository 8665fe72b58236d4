// SPDX-License-Identifier: MIT
// The real window on Qt's offscreen platform: real widgets, real clicks and
// key presses, in a scratch working directory holding a small airports.txt.
// The logic behind the widgets is covered through the headless driver; these
// tests check that the widgets reach it and show what it leaves.

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>
#include <utility>

#include "common/text1252.h"
#include "common/window_model.h"
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
  int width = 0;
  int titleWidth = 0;  // of the title in the box's font
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
    seen.width = box->width();
    seen.titleWidth = box->fontMetrics().horizontalAdvance(box->windowTitle());
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
  void actionsAreAnnouncedWhereTheFocusStays();
  void languageMenuSwitchesTheCaptions();
  void enterInSearchBoxStartsNothing();
  void enterOnAFocusedButtonActsAsSpace();
  void messageBoxesOpenOverTheStateReached();
  void longRunwayListScrollsByWholeRows();
  void pageKeysScrollTheRunwayListFromAnyControl();
  void runwayFieldsStandInColumnsUnderTheirHeadings();
  void noPlaceholderShowsBeforeAFoundAirport();
  void copyGivesTheAirportShownInItsDataSheetsWords();
  void altWithALetterTypesNothing();
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
  QTableWidget* runwayList() const { return find<QTableWidget>("Label5"); }
  // The runway list's rows, each field apart.
  QList<QStringList> runwayRows() const;
  void searchFor(const char* text);

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

QList<QStringList> MainWindowTest::runwayRows() const {
  QList<QStringList> rows;
  QTableWidget* list = runwayList();
  for (int r = 0; r < list->rowCount(); ++r) {
    QStringList fields;
    for (int c = 0; c < list->columnCount(); ++c)
      fields << list->item(r, c)->text();
    rows << fields;
  }
  return rows;
}

void MainWindowTest::searchFor(const char* text) {
  auto* text1 = find<QLineEdit>("Text1");
  text1->selectAll();
  QTest::keyClicks(text1, QString::fromLatin1(text));
  QTest::mouseClick(find<QPushButton>("Command1"), Qt::LeftButton);
  QCoreApplication::processEvents();  // the list lays out its rows as the event loop would
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
  QCOMPARE(accessibleText("Label16", QAccessible::Description), QStringLiteral("Result line 2"));
  QCOMPARE(accessibleText("Label5", QAccessible::Description),
           QStringLiteral("Runway list, one per line, columns: RUNWAY, Orientation runway, "
                          "Length runway, Frequency ILS"));
  for (QWidget* control : m_window->centralWidget()->findChildren<QWidget*>()) {
    // Only the form's controls: not the parts Qt builds them of.
    const QByteArray name = control->objectName().toLatin1();
    if (!common::controlFromName(
            std::string_view(name.constData(), static_cast<std::size_t>(name.size())))) {
      continue;
    }
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
  QVERIFY(runwayList()->isVisible());

  // One row per runway, field by field; a runway without an ILS frequency
  // ("0" in the database) has nothing in that column.
  const QList<QStringList> rows = runwayRows();
  QCOMPARE(rows.size(), 3);
  QCOMPARE(rows[0], (QStringList{QStringLiteral("04L"), QStringLiteral("040\u00B0"),
                                 QStringLiteral("12079 ft./ 3681 mt."), QStringLiteral("109.50")}));
  QCOMPARE(rows[1][3], QString());
  QCOMPARE(rows[2][0], QStringLiteral("13R"));
  // A screen reader reads each field as a cell of its row.
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(runwayList());
  QCOMPARE(table->role(), QAccessible::Table);
  QCOMPARE(table->tableInterface()->rowCount(), 3);
  QCOMPARE(table->tableInterface()->cellAt(0, 2)->text(QAccessible::Name),
           QStringLiteral("12079 ft./ 3681 mt."));
  QCOMPARE(table->tableInterface()->cellAt(1, 3)->text(QAccessible::Name), QString());

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

// What a search, a mark or a distance did is a notification, which Orca
// speaks each time it is shown, by its name; no control takes the focus or
// changes its own description for it.
void MainWindowTest::actionsAreAnnouncedWhereTheFocusStays() {
  startWindow();
  if (QTest::currentTestFailed()) return;
  m_window->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
  auto* search = find<QPushButton>("Command1");
  auto* text1 = find<QLineEdit>("Text1");
  auto* announcement = find<QWidget>("Announcement");
  QAccessibleInterface* notification = QAccessible::queryAccessibleInterface(announcement);
  QCOMPARE(notification->role(), QAccessible::Notification);
  QVERIFY(!announcement->isVisible());
  const QString searchDescription = search->accessibleDescription();
  const auto announced = [&] { return notification->text(QAccessible::Name); };

  search->setFocus();
  QTest::mouseClick(search, Qt::LeftButton);
  QVERIFY(announcement->isVisible());
  QCOMPARE(announced(), QStringLiteral("Airport shown: JOHN F KENNEDY INTL, KJFK"));
  QCOMPARE(QApplication::focusWidget(), search);
  QCOMPARE(search->accessibleDescription(), searchDescription);

  // The same airport again is shown, and so spoken, again.
  int shownAgain = 0;
  struct ShowCounter : QObject {
    int* count;
    explicit ShowCounter(int* c) : count(c) {}
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
      if (event->type() == QEvent::Show) ++*count;
      return false;
    }
  } counter(&shownAgain);
  announcement->installEventFilter(&counter);
  searchFor("kjfk");
  searchFor("kjfk");
  QCOMPARE(shownAgain, 2);
  announcement->removeEventFilter(&counter);

  // SET P hides itself, so the focus moves on to the search box.
  auto* mark = find<QPushButton>("Command2");
  mark->setFocus();
  QTest::mouseClick(mark, Qt::LeftButton);
  QCOMPARE(QApplication::focusWidget(), text1);
  QCOMPARE(announced(), QStringLiteral("Departure marked: KJFK"));

  // In Italian; SET D hands the focus to CALC, and CALC back to the search box.
  menuItem("MenuItaliano")->trigger();
  text1->setText(QStringLiteral("lszh"));
  search->setFocus();
  QTest::mouseClick(search, Qt::LeftButton);
  QCOMPARE(announced(), QStringLiteral("Aeroporto mostrato: Z\u00DCRICH KLOTEN, LSZH"));
  mark->setFocus();
  QTest::mouseClick(mark, Qt::LeftButton);
  auto* calc = find<QPushButton>("Command3");
  QCOMPARE(QApplication::focusWidget(), calc);
  QCOMPARE(announced(), QStringLiteral("Destinazione segnata: LSZH"));
  QTest::mouseClick(calc, Qt::LeftButton);
  QCOMPARE(QApplication::focusWidget(), text1);
  QVERIFY(labelText("Label18").startsWith(QStringLiteral("KJFK==>LSZH ")));
  QCOMPARE(announced(), QStringLiteral("Distanza: ") + labelText("Label18"));

  // A search that finds nothing says so in its box; the airport still on
  // display is not announced as if it had just been found.
  int shownForNothing = 0;
  ShowCounter nothingFound(&shownForNothing);
  announcement->installEventFilter(&nothingFound);
  const SeenBox box = runWithMessageBox([this] { searchFor("zzzz"); });
  announcement->removeEventFilter(&nothingFound);
  QVERIFY(box.shown);
  QCOMPARE(shownForNothing, 0);
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
  QCOMPARE(labelText("Label2"), QString());
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

namespace {

// KORD and KDFW have 17 runway lines each, more than Label5's box holds.
QByteArray longListDatabase() {
  QByteArray database;
  for (const char* icao : {"KORD", "KDFW"}) {
    database += "1|" + QByteArray(icao) + "|LONG LIST|41978600|-87904800|680|a|--|US|\r\n";
    for (int i = 1; i <= 16; ++i) {
      database += QStringLiteral("1|R%1|%2|7500|0|110.%1|\r\n").arg(i).arg(i * 10).toLatin1();
    }
    database += "1|" + QByteArray(icao) + "|000|100|0|0|\r\n\r\n";  // no two lists alike
  }
  return database + kDatabase;
}

// The rows [first, last] (0-based) that are shown whole; fails when a row
// is cut by the list's edge.
std::pair<int, int> wholeRowsShown(QTableWidget* list) {
  const int height = list->viewport()->height();
  int first = -1;
  int last = -1;
  for (int row = 0; row < list->rowCount(); ++row) {
    const QRect rect = list->visualRect(list->model()->index(row, 0));
    const bool whole = rect.top() >= 0 && rect.bottom() < height;
    if (!whole && rect.bottom() >= 0 && rect.top() < height) {
      qWarning("row %d cut at %d..%d of %d", row + 1, rect.top(), rect.bottom(), height);
      return {-1, -1};
    }
    if (whole && first < 0) first = row;
    if (whole) last = row;
  }
  return {first, last};
}

}  // namespace

// At every position each row is either whole or not shown; scrolled to its
// end, the last row is the last line shown, with no room for another below.
void MainWindowTest::longRunwayListScrollsByWholeRows() {
  writeFile(QStringLiteral("airports.txt"), longListDatabase());
  startWindow();
  if (QTest::currentTestFailed()) return;
  QTableWidget* list = runwayList();
  QScrollBar* bar = list->verticalScrollBar();

  searchFor("kjfk");
  QVERIFY(!bar->isVisible());  // three rows fit

  searchFor("kord");
  QCOMPARE(list->rowCount(), 17);
  QTRY_VERIFY(bar->isVisible());
  QCOMPARE(bar->value(), 0);
  QList<bool> seenWhole(17, false);
  for (int step = 0; step < 100; ++step) {
    const auto [first, last] = wholeRowsShown(list);
    QVERIFY2(first >= 0, qPrintable(QStringLiteral("a row cut at %1").arg(bar->value())));
    for (int row = first; row <= last; ++row)
      seenWhole[row] = true;
    if (bar->value() == bar->maximum()) break;
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  }
  QVERIFY(!seenWhole.contains(false));
  const QRect lastRow = list->visualRect(list->model()->index(16, 0));
  QCOMPARE(wholeRowsShown(list).second, 16);
  QVERIFY(list->viewport()->height() - (lastRow.bottom() + 1) < lastRow.height());
  QCOMPARE(list->indexAt(QPoint(1, lastRow.bottom() + 1)).row(), -1);

  // A new airport starts at the top.
  searchFor("kdfw");
  QTRY_VERIFY(bar->isVisible());
  QCOMPARE(bar->value(), 0);
}

// Page Down, Page Up, Ctrl+End and Ctrl+Home scroll the list from every
// control that takes the focus, and the focus stays where it is.
void MainWindowTest::pageKeysScrollTheRunwayListFromAnyControl() {
  writeFile(QStringLiteral("airports.txt"), longListDatabase());
  startWindow();
  if (QTest::currentTestFailed()) return;
  QApplication::setActiveWindow(m_window.get());
  QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
  searchFor("kord");
  QTableWidget* list = runwayList();
  QCOMPARE(wholeRowsShown(list).first, 0);
  QVERIFY(wholeRowsShown(list).second < 15);  // row 16 is not shown yet

  auto* text1 = find<QLineEdit>("Text1");
  text1->setFocus();
  text1->setCursorPosition(2);
  QTest::keyClick(text1, Qt::Key_PageDown);
  QCOMPARE(QApplication::focusWidget(), text1);
  QVERIFY(wholeRowsShown(list).second >= 15);  // row 16
  QVERIFY(wholeRowsShown(list).first > 0);
  QTest::keyClick(text1, Qt::Key_PageUp);
  QCOMPARE(wholeRowsShown(list).first, 0);
  QTest::keyClick(text1, Qt::Key_End, Qt::ControlModifier);
  QCOMPARE(wholeRowsShown(list).second, 16);
  QTest::keyClick(text1, Qt::Key_Home, Qt::ControlModifier);
  QCOMPARE(wholeRowsShown(list).first, 0);
  // The keys moved the list, not the text cursor, and typed nothing.
  QCOMPARE(text1->cursorPosition(), 2);
  QCOMPARE(text1->text(), QStringLiteral("KORD"));

  for (const char* name : {"Command1", "Check1", "Command2"}) {
    QWidget* control = find<QWidget>(name);
    control->setFocus();
    QTest::keyClick(control, Qt::Key_End, Qt::ControlModifier);
    QVERIFY2(wholeRowsShown(list).second == 16, name);
    QTest::keyClick(control, Qt::Key_PageUp);
    QVERIFY2(wholeRowsShown(list).second < 16, name);
    QCOMPARE(QApplication::focusWidget(), control);
  }
  QVERIFY(!find<QCheckBox>("Check1")->isChecked());
  QCOMPARE(list->focusPolicy(), Qt::NoFocus);
}

// Each field of a runway row is drawn from where its heading starts: the
// designator at the list's left edge, under RUNWAY's first letters as
// before, the others at their headings' x.
void MainWindowTest::runwayFieldsStandInColumnsUnderTheirHeadings() {
  startWindow();
  if (QTest::currentTestFailed()) return;
  searchFor("kjfk");
  QTableWidget* list = runwayList();
  QWidget* panel = find<QWidget>("Frame1");
  const auto fieldX = [&](int column) {
    const QRect cell = list->visualRect(list->model()->index(0, column));
    return list->viewport()->mapTo(panel, cell.topLeft()).x();
  };
  QCOMPARE(fieldX(0), list->x());
  QCOMPARE(fieldX(1), find<QLabel>("Label7")->x());
  QCOMPARE(fieldX(2), find<QLabel>("Label8")->x());
  QCOMPARE(fieldX(3), find<QLabel>("Label9")->x());
  // Every field is drawn whole in its column.
  for (int row = 0; row < list->rowCount(); ++row) {
    for (int column = 0; column < list->columnCount(); ++column) {
      const QString text = list->item(row, column)->text();
      QVERIFY(QFontMetrics(list->font()).horizontalAdvance(text) <= list->columnWidth(column));
    }
  }
}

// After start-up, and after a first search that finds nothing, the result
// labels show nothing rather than their design texts.
void MainWindowTest::noPlaceholderShowsBeforeAFoundAirport() {
  startWindow();
  if (QTest::currentTestFailed()) return;
  const auto expectEmpty = [this] {
    for (const char* name : {"Label2", "Label4", "Label12", "Label15", "Label14", "Label6"}) {
      QVERIFY2(labelText(name).isEmpty(), name);
    }
    QCOMPARE(runwayList()->rowCount(), 0);
  };
  expectEmpty();
  QCOMPARE(labelText("Label13"), QStringLiteral("Runways"));  // the language's word

  auto* text1 = find<QLineEdit>("Text1");
  text1->selectAll();
  QTest::keyClicks(text1, QStringLiteral("nowhere"));
  const SeenBox notFound = runWithMessageBox(
      [this] { QTest::mouseClick(find<QPushButton>("Command1"), Qt::LeftButton); });
  QVERIFY(notFound.shown);
  QVERIFY(find<QFrame>("Frame1")->isVisible());
  expectEmpty();
}

// The airport shown is copied as its data sheet's lines, in the sheet's
// words, by Ctrl+C wherever the search box does not take it and by the
// result panel's menu; the result texts can be selected with the mouse.
void MainWindowTest::copyGivesTheAirportShownInItsDataSheetsWords() {
  startWindow();
  if (QTest::currentTestFailed()) return;
  QApplication::setActiveWindow(m_window.get());
  QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
  QClipboard* clipboard = QGuiApplication::clipboard();
  auto* search = find<QPushButton>("Command1");
  const QRect searchPlace = search->geometry();

  // Nothing shown yet: nothing copied.
  clipboard->setText(QStringLiteral("before"));
  search->setFocus();
  QTest::keyClick(search, Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(clipboard->text(), QStringLiteral("before"));

  QTest::mouseClick(find<QCheckBox>("Check1"), Qt::LeftButton);  // writes the sheet too
  searchFor("kjfk");
  const QByteArray sheet = readFile(QStringLiteral("KJFK  JOHN F KENNEDY INTL.txt"));
  QVERIFY(!sheet.isEmpty());
  QStringList sheetLines;
  for (const QByteArray& line : sheet.split('\n')) {
    QByteArray text = line;
    text.replace("\r", "");
    sheetLines << QString::fromStdString(common::cp1252ToUtf8(text.toStdString()));
  }
  const QString expected = sheetLines.join(QLatin1Char('\n'));
  QVERIFY(expected.startsWith(QStringLiteral("AIRPORT JOHN F KENNEDY INTL\n")));

  search->setFocus();
  QTest::keyClick(search, Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(clipboard->text(), expected);

  // In the search box Ctrl+C copies the box's own selected text.
  auto* text1 = find<QLineEdit>("Text1");
  text1->setFocus();
  text1->selectAll();
  QTest::keyClick(text1, Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(clipboard->text(), QStringLiteral("KJFK"));

  // The panel's menu, in the language of the interface.
  menuItem("MenuItaliano")->trigger();
  clipboard->clear();
  QString caption;
  QTimer::singleShot(100, [&caption] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr || menu->actions().size() != 1) return;
    caption = menu->actions()[0]->text();
    menu->actions()[0]->trigger();
    menu->close();
  });
  QWidget* panel = find<QWidget>("Frame1");
  QMetaObject::invokeMethod(panel, "customContextMenuRequested", Qt::DirectConnection,
                            Q_ARG(QPoint, QPoint(20, 20)));
  QCOMPARE(caption, QStringLiteral("Copia aeroporto"));
  QVERIFY(clipboard->text().startsWith(QStringLiteral("AEROPORTO JOHN F KENNEDY INTL\n")));

  for (const char* name : {"Label2", "Label4", "Label15", "Label12", "Label14"}) {
    QVERIFY2(find<QLabel>(name)->textInteractionFlags().testFlag(Qt::TextSelectableByMouse), name);
    QCOMPARE(find<QLabel>(name)->focusPolicy(), Qt::NoFocus);
  }
  QCOMPARE(search->geometry(), searchPlace);
}

// Alt with a letter is a menu's access letter or nothing; it never types.
void MainWindowTest::altWithALetterTypesNothing() {
  startWindow();
  if (QTest::currentTestFailed()) return;
  auto* text1 = find<QLineEdit>("Text1");
  text1->setFocus();
  text1->setCursorPosition(4);
  for (const Qt::Key key : {Qt::Key_S, Qt::Key_C, Qt::Key_T, Qt::Key_I, Qt::Key_E, Qt::Key_L}) {
    QTest::keyClick(text1, key, Qt::AltModifier);
  }
  QCOMPARE(text1->text(), QStringLiteral("KJFK"));
  QTest::keyClick(text1, Qt::Key_X);
  QCOMPARE(text1->text(), QStringLiteral("KJFKx"));
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
  // Wide enough for its title beside a title bar's three buttons.
  QVERIFY2(box.width >= box.titleWidth + 3 * 32, qPrintable(QString::number(box.width)));
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
  // list fills Label5's box.
  auto* runways = find<QWidget>("Label5");
  QCOMPARE(runways->parentWidget(), static_cast<QWidget*>(frame));
  QCOMPARE(runways->geometry(), QRect(16, 264, 425, 161));
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

// SPDX-License-Identifier: MIT
#include "ui/main_window.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSpacerItem>
#include <cstddef>
#include <string>
#include <vector>

#include "form/languages.h"
#include "ui/announcement.h"
#include "ui/cp1252_text.h"
#include "ui/enter_key_clicks.h"
#include "ui/form_font.h"
#include "ui/list_scroll_keys.h"
#include "ui/one_line_text.h"
#include "ui/runway_list.h"
#include "ui/search_box.h"
#include "ui/search_box_accessible.h"

namespace ui {
namespace {

using common::ControlId;
using form::Action;
using form::ControlKind;
using form::ControlLayout;
using form::controlLayouts;
using form::FontStyle;
using form::kClientHeightTwips;
using form::kClientWidthTwips;
using form::kTabOrder;
using form::PixelRect;
using form::TextAlign;
using form::toPixels;
using form::TwipsRect;

std::size_t index(ControlId id) {
  return static_cast<std::size_t>(id);
}

// Labels and message boxes break lines at CR; Qt breaks them at LF.
QString multiLineText(std::string_view text) {
  QString result = fromCp1252(text);
  result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return result;
}

// A file's lines, closed by CR LF (some holding a lone CR), as plain text
// closed by LF.
QString plainTextLines(std::string_view text) {
  QString result = fromCp1252(text);
  result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  result.remove(QLatin1Char('\r'));
  return result;
}

// The labels that show a result, which a user may select with the mouse.
bool showsResult(ControlId id) {
  switch (id) {
    case ControlId::Label14:
    case ControlId::Label16:
    case ControlId::Label17:
    case ControlId::Label4:
    case ControlId::Label15:
    case ControlId::Label2:
    case ControlId::Label12:
    case ControlId::Label6:
    case ControlId::Label18:
      return true;
    default:
      return false;
  }
}

Qt::Alignment labelAlignment(TextAlign align) {
  switch (align) {
    case TextAlign::Centre:
      return Qt::AlignHCenter | Qt::AlignTop;
    case TextAlign::Right:
      return Qt::AlignRight | Qt::AlignTop;
    case TextAlign::Left:
      break;
  }
  return Qt::AlignLeft | Qt::AlignTop;
}

QRect pixelGeometry(const TwipsRect& rect, const QWidget& device) {
  const PixelRect px = toPixels(rect, device.logicalDpiX(), device.logicalDpiY());
  return {px.x, px.y, px.width, px.height};
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  // A box is read against the window: show the state reached so far first.
  m_logic.window().setMessageHandler([this](std::string_view title, std::string_view text) {
    render();
    showMessageBox(title, text);
  });
  setUpClientArea();
  setUpRunwayRows();
  setUpMenus();
  setUpTabOrder();
  setUpKeys();
  setUpCopy();
  connectInputs();
  render();
}

bool MainWindow::startUp() {
  if (!m_logic.startUp()) return false;
  render();
  m_accessibility.refreshScreenReaders(this);
  control(ControlId::Text1)->setFocus();
  return true;
}

void MainWindow::exitAsMenu() {
  run(Action::Exit);
}

void MainWindow::setUpClientArea() {
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("ClientArea"));
  client->setFont(formFont(FontStyle::Default));
  client->setFixedSize(pixelGeometry({0, 0, kClientWidthTwips, kClientHeightTwips}, *this).size());
  setCentralWidget(client);
  layout()->setSizeConstraint(QLayout::SetFixedSize);  // the layout is for this size only

  // Frame1 comes before the labels it holds.
  for (const ControlLayout& entry : controlLayouts()) {
    QWidget* parent = entry.inFrame1 ? control(ControlId::Frame1) : client;
    m_controls[index(entry.id)] = createControl(entry, parent);
  }
  auto* announcement = new Announcement(client);
  m_accessibility.setAnnouncement(announcement);
}

QWidget* MainWindow::createControl(const ControlLayout& entry, QWidget* parent) {
  QWidget* widget = nullptr;
  switch (entry.kind) {
    case ControlKind::Label: {
      if (entry.id == ControlId::Label5) {
        m_runwayList = new RunwayList(parent);
        widget = m_runwayList;
        break;
      }
      auto* label = new QLabel(parent);
      label->setTextFormat(Qt::PlainText);
      label->setWordWrap(!keepsOneLine(entry.id));
      label->setAlignment(labelAlignment(entry.align));
      if (showsResult(entry.id)) {
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        label->setContextMenuPolicy(Qt::NoContextMenu);  // the result panel's menu
      }
      widget = label;
      break;
    }
    case ControlKind::Frame: {
      auto* frame = new QFrame(parent);
      frame->setFrameStyle(QFrame::Box | QFrame::Sunken);  // etched line, no caption
      widget = frame;
      break;
    }
    case ControlKind::TextBox:
      installSearchBoxAccessible();
      widget = new SearchBox(parent);
      break;
    case ControlKind::Button: {
      auto* button = new QPushButton(parent);
      button->setAutoDefault(false);  // Enter in Text1 must start nothing
      button->setDefault(false);
      widget = button;
      break;
    }
    case ControlKind::CheckBox:
      widget = new QCheckBox(parent);
      break;
  }
  widget->setObjectName(QString::fromLatin1(common::controlName(entry.id)));
  widget->setGeometry(pixelGeometry(entry.rect, *widget));
  if (entry.font != FontStyle::Default) widget->setFont(formFont(entry.font));
  const bool takesFocus = entry.kind == ControlKind::TextBox || entry.kind == ControlKind::Button ||
                          entry.kind == ControlKind::CheckBox;
  widget->setFocusPolicy(takesFocus ? Qt::StrongFocus : Qt::NoFocus);
  return widget;
}

// Each field under its heading.
void MainWindow::setUpRunwayRows() {
  const int left = m_runwayList->x();
  m_runwayList->setColumnStarts({control(ControlId::Label7)->x() - left,
                                 control(ControlId::Label8)->x() - left,
                                 control(ControlId::Label9)->x() - left});
}

void MainWindow::setUpMenus() {
  const auto addMenuItem = [this](QMenu* menu, Action action) {
    const ControlId id = form::controlOf(action);
    QAction* item = menu->addAction(QString());
    item->setObjectName(QString::fromLatin1(common::controlName(id)));
    connect(item, &QAction::triggered, this, [this, action] { run(action); });
    m_menuItems[index(id)] = item;
  };
  const auto addSubmenu = [this](auto* parent, ControlId id) {
    QMenu* menu = parent->addMenu(QString());
    menu->setObjectName(QString::fromLatin1(common::controlName(id)));
    menu->menuAction()->setObjectName(menu->objectName());
    m_menuItems[index(id)] = menu->menuAction();
    return menu;
  };

  QMenu* file = addSubmenu(menuBar(), ControlId::MenuFile);
  QMenu* lingua = addSubmenu(file, ControlId::MenuLingua);
  addMenuItem(lingua, Action::MenuItaliano);
  addMenuItem(lingua, Action::MenuInglese);
  addMenuItem(file, Action::Exit);
  QMenu* help = addSubmenu(menuBar(), ControlId::MenuHelp);
  addMenuItem(help, Action::MenuAbout);
}

void MainWindow::setUpTabOrder() {
  for (std::size_t i = 1; i < kTabOrder.size(); ++i) {
    setTabOrder(control(kTabOrder[i - 1]), control(kTabOrder[i]));
  }
}

void MainWindow::setUpKeys() {
  auto* enterKey = new EnterKeyClicks(this);
  for (ControlId id :
       {ControlId::Command1, ControlId::Command2, ControlId::Command3, ControlId::Check1}) {
    control(id)->installEventFilter(enterKey);
  }
  auto* scrollKeys = new ListScrollKeys(m_runwayList, this);
  for (ControlId id : kTabOrder)
    control(id)->installEventFilter(scrollKeys);
}

// Ctrl+C copies the airport shown unless the search box takes it for its
// own text; the result panel's menu copies it too.
void MainWindow::setUpCopy() {
  auto* copy = new QShortcut(QKeySequence::Copy, this);
  connect(copy, &QShortcut::activated, this, [this] { copyShownAirport(); });
  QWidget* panel = control(ControlId::Frame1);
  panel->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(panel, &QWidget::customContextMenuRequested, this, [this, panel](const QPoint& at) {
    QMenu menu(this);
    QAction* item = menu.addAction(fromCp1252(form::copyAirportCaption(m_logic.state().langCode)),
                                   this, [this] { copyShownAirport(); });
    item->setEnabled(!m_logic.shownAirportText().empty());
    menu.exec(panel->mapToGlobal(at));
  });
}

void MainWindow::copyShownAirport() {
  const std::string text = m_logic.shownAirportText();
  if (!text.empty()) QGuiApplication::clipboard()->setText(plainTextLines(text));
}

void MainWindow::connectInputs() {
  auto* text1 = static_cast<QLineEdit*>(control(ControlId::Text1));
  // Every change of the text, not only typing: paste, input methods and
  // assistive tools that set the text must reach the search too.
  connect(text1, &QLineEdit::textChanged, this, [this](const QString& text) {
    m_logic.window().setText(ControlId::Text1, toCp1252(text));
  });
  auto* check1 = static_cast<QCheckBox*>(control(ControlId::Check1));
  connect(check1, &QCheckBox::toggled, this,
          [this](bool ticked) { m_logic.window().setCheck1Ticked(ticked); });

  for (Action action : {Action::Command1, Action::Command2, Action::Command3}) {
    connect(static_cast<QPushButton*>(control(form::controlOf(action))), &QPushButton::clicked,
            this, [this, action] { run(action); });
  }
}

void MainWindow::run(Action action) {
  if (!m_logic.handle(action)) {
    QCoreApplication::exit(0);  // at once: nothing is saved or asked
    return;
  }
  m_accessibility.noteAction(action);
  render();
  m_accessibility.refreshScreenReaders(this);
}

void MainWindow::render() {
  const common::WindowModel& model = m_logic.window();
  setWindowTitle(fromCp1252(model.text(ControlId::Form1)));
  // Controls that show come first, so that a focused button that hides
  // itself hands the focus on in tab order: SET D to CALC, not past it.
  for (const bool shown : {true, false}) {
    for (const ControlLayout& entry : controlLayouts()) {
      if (model.visible(entry.id) == shown) renderControl(entry.id);
    }
  }
  for (ControlId id :
       {ControlId::MenuFile, ControlId::MenuLingua, ControlId::MenuItaliano, ControlId::MenuInglese,
        ControlId::Exit, ControlId::MenuHelp, ControlId::MenuAbout}) {
    renderMenuItem(id);
  }
  m_accessibility.update(model, m_logic.state());
}

void MainWindow::renderControl(ControlId id) {
  const common::Control& model = m_logic.window().control(id);
  QWidget* widget = control(id);

  if (id == ControlId::Label5) {
    std::vector<RunwayList::Row> rows;
    for (const lookup::RunwayCells& cells : m_logic.shownRunways()) {
      rows.push_back({fromCp1252(cells.designator), fromCp1252(cells.orientation),
                      fromCp1252(cells.length), fromCp1252(cells.ilsFrequency)});
    }
    m_runwayList->setRows(rows);
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    renderLabel(id, *label, multiLineText(model.text));
  } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    const QString text = fromCp1252(model.text);
    const QSignalBlocker blocker(edit);  // the model already holds it
    if (edit->text() != text) edit->setText(text);
  } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
    check->setText(fromCp1252(model.text));
    const QSignalBlocker blocker(check);
    check->setChecked(m_logic.window().check1Ticked());
  } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
    button->setText(fromCp1252(model.text));
  }

  if (model.colour) {
    const QColor colour(model.colour->red, model.colour->green, model.colour->blue);
    QPalette palette = widget->palette();
    if (palette.color(QPalette::WindowText) != colour) {
      palette.setColor(QPalette::WindowText, colour);
      palette.setColor(QPalette::ButtonText, colour);
      widget->setPalette(palette);
    }
  }
  widget->setVisible(model.visible);
}

void MainWindow::renderLabel(ControlId id, QLabel& label, const QString& text) {
  if (keepsOneLine(id)) {
    showOnOneLine(label, text);
  } else {
    label.setText(text);
  }
}

void MainWindow::renderMenuItem(ControlId id) {
  const common::Control& model = m_logic.window().control(id);
  QAction* item = m_menuItems[index(id)];
  item->setText(fromCp1252(model.text));
  item->setVisible(model.visible);
}

void MainWindow::showMessageBox(std::string_view title, std::string_view text) {
  // Before start-up has finished the window is not shown yet; the box then
  // stands on its own.
  QMessageBox box(QMessageBox::NoIcon, fromCp1252(title), multiLineText(text), QMessageBox::Ok,
                  isVisible() ? this : nullptr);
  box.setTextFormat(Qt::PlainText);
  box.button(QMessageBox::Ok)->setIcon(QIcon());  // a plain OK, whatever the style
  // A short text would leave the box too narrow for its title and the
  // title bar's buttons.
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    constexpr int kTitleBarButtons = 120;
    const int titleWidth =
        box.fontMetrics().horizontalAdvance(box.windowTitle()) + kTitleBarButtons;
    grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
  }
  box.exec();
}

QWidget* MainWindow::control(ControlId id) const {
  return m_controls[index(id)];
}

}  // namespace ui

// SPDX-License-Identifier: MIT
#pragma once

// The Qt view of Form1. It builds the real widgets from the fixed layout
// (form/window_layout.h), forwards each user action to the form logic, and
// after every action copies every control's text, visibility and colour
// from the window model back into the widgets. It decides nothing itself:
// typing in Text1 and ticking Check1 only update the model, which the next
// search reads. Copying takes the text the form makes of the airport shown.
//
// Widgets carry their control names as object names ("Text1", "Command1",
// "MenuAbout", ...); what assistive technology hears is set by
// ui/accessibility.h.

#include <QMainWindow>
#include <array>
#include <string_view>

#include "common/window_model.h"
#include "form/form_logic.h"
#include "form/window_layout.h"
#include "ui/accessibility.h"

class QAction;
class QLabel;

namespace ui {

class Announcement;
class RunwayList;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);

  // Runs start-up and shows its outcome in the widgets; call it before the
  // window is first shown. Returns false when a file failure ends the
  // program: the failure has then been shown in a message box.
  bool startUp();

  // Ends the program as the Exit menu item does (for a signal to end it).
  void exitAsMenu();

 private:
  void setUpClientArea();
  QWidget* createControl(const form::ControlLayout& entry, QWidget* parent);
  void setUpRunwayRows();
  void setUpMenus();
  void setUpTabOrder();
  void setUpKeys();
  void setUpCopy();
  void connectInputs();
  void copyShownAirport();

  // Forwards one action; ends the event loop when the action ends the program.
  void run(form::Action action);
  void render();
  void renderControl(common::ControlId id);
  void renderLabel(common::ControlId id, QLabel& label, const QString& text);
  void renderMenuItem(common::ControlId id);
  void showMessageBox(std::string_view title, std::string_view text);

  QWidget* control(common::ControlId id) const;

  form::FormLogic m_logic;
  std::array<QWidget*, common::kControlCount> m_controls{};
  std::array<QAction*, common::kControlCount> m_menuItems{};
  Accessibility m_accessibility{m_controls};
  RunwayList* m_runwayList = nullptr;  // Label5
};

}  // namespace ui

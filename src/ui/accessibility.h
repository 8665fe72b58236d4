// SPDX-License-Identifier: MIT
#pragma once

// What the window tells assistive technology (AT-SPI on Linux), applied
// after every render. Labels, buttons and the check box carry no fixed
// accessible name, so each is named by the text it shows and a screen
// reader hears the value itself; what a value is comes as its description,
// in the interface's language. The search box is named by its prompt
// Label10 (its buddy). After a search, a mark or a distance, the widget
// that holds the focus describes what happened, which a screen reader
// speaks as a change of the focused object's description: Qt 6.4 has no
// announcement of its own.

#include <QWidget>
#include <array>
#include <optional>
#include <string_view>

#include "common/window_model.h"
#include "form/form_logic.h"

namespace ui {

class Accessibility {
 public:
  using Controls = std::array<QWidget*, common::kControlCount>;

  // Reads the widgets from `controls` at each update; they may be created later.
  explicit Accessibility(const Controls& controls) : m_controls(controls) {}

  // The next update announces what this action did.
  void noteAction(form::Action action) { m_pendingAction = action; }

  void update(const common::WindowModel& window, std::string_view langCode);

 private:
  QWidget* control(common::ControlId id) const;
  void announce(const QString& text);

  const Controls& m_controls;
  std::optional<form::Action> m_pendingAction;
};

}  // namespace ui

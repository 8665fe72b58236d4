// SPDX-License-Identifier: MIT
#pragma once

// What the window tells assistive technology (AT-SPI on Linux), applied
// after every render. Labels, buttons and the check box carry no fixed
// accessible name, so each is named by the text it shows and a screen
// reader hears the value itself; what a value is comes as its description,
// in the interface's language. The search box is named by its prompt
// Label10 (its buddy). After a search, a mark or a distance, what happened
// is announced (ui/announcement.h); the focus stays where it is.

#include <QHash>
#include <QWidget>
#include <array>
#include <optional>
#include <string_view>

#include "common/window_model.h"
#include "form/form_logic.h"

namespace ui {

class Announcement;

class Accessibility {
 public:
  using Controls = std::array<QWidget*, common::kControlCount>;

  // Reads the widgets from `controls` at each update; they may be created later.
  explicit Accessibility(const Controls& controls) : m_controls(controls) {}

  // The next update announces what this action did.
  void noteAction(form::Action action) { m_pendingAction = action; }

  void setAnnouncement(Announcement* announcement) { m_announcement = announcement; }

  void update(const common::WindowModel& window, const form::FormState& state);

  // Screen readers keep what they have read of each object, and Qt 6.4
  // tells them of a widget that starts or stops showing only in half: its
  // "showing" state, never its "visible" one. Orca, having seen the result
  // panel hidden at start-up, would take it as hidden for good and leave it
  // out when it reviews the window. Orca reads an object anew when its
  // "selected" state changes, so every widget under `root` that has started
  // or stopped showing since the last call is announced as such a change.
  void refreshScreenReaders(QWidget* root);

 private:
  QWidget* control(common::ControlId id) const;
  void announce(const QString& text);

  const Controls& m_controls;
  std::optional<form::Action> m_pendingAction;
  Announcement* m_announcement = nullptr;
  QHash<const QWidget*, bool> m_shownToReaders;
};

}  // namespace ui

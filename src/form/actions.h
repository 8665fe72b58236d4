// SPDX-License-Identifier: MIT
#pragma once

// What a user does to the form: a click on a button or a menu item. Each
// action is tied to one control and is named by it, as the driver calls it.

#include <cstdint>
#include <optional>
#include <string_view>

#include "common/window_model.h"

namespace form {

enum class Action : std::uint8_t {
  Command1,
  Command2,
  Command3,
  MenuItaliano,
  MenuInglese,
  MenuAbout,
  Exit
};

// The control a click on which runs the action.
common::ControlId controlOf(Action action);

// The action of a control's name ("Command1", "MenuAbout", ...), as the
// driver clicks it.
std::optional<Action> actionFromName(std::string_view name);

}  // namespace form

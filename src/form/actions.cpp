// SPDX-License-Identifier: MIT
#include "form/actions.h"

#include <array>

namespace form {
namespace {

using common::ControlId;

struct ActionControl {
  Action action;
  ControlId control;
};

// In Action order.
constexpr auto kActions = std::to_array<ActionControl>({
    {Action::Command1, ControlId::Command1},
    {Action::Command2, ControlId::Command2},
    {Action::Command3, ControlId::Command3},
    {Action::MenuItaliano, ControlId::MenuItaliano},
    {Action::MenuInglese, ControlId::MenuInglese},
    {Action::MenuAbout, ControlId::MenuAbout},
    {Action::Exit, ControlId::Exit},
});

constexpr bool inActionOrderOnDistinctControls() {
  for (std::size_t i = 0; i < kActions.size(); ++i) {
    if (kActions[i].action != static_cast<Action>(i)) return false;
    for (std::size_t j = 0; j < i; ++j) {
      if (kActions[j].control == kActions[i].control) return false;
    }
  }
  return true;
}

static_assert(kActions.size() == static_cast<std::size_t>(Action::Exit) + 1, "one per action");
static_assert(inActionOrderOnDistinctControls(), "in Action order, one control each");

}  // namespace

ControlId controlOf(Action action) {
  return kActions[static_cast<std::size_t>(action)].control;
}

std::optional<Action> actionFromName(std::string_view name) {
  for (const ActionControl& entry : kActions) {
    if (common::controlName(entry.control) == name) return entry.action;
  }
  return std::nullopt;
}

}  // namespace form

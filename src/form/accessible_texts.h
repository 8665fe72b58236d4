// SPDX-License-Identifier: MIT
#pragma once

// What assistive technology is told beyond the visible texts. Labels,
// buttons and the check box are named by the texts they show; these are the
// descriptions that say what a shown value is, and the short announcement
// of what an action did. All are Windows-1252 texts built from the window
// model, so they follow the values and the language on screen.

#include <string>

#include "common/window_model.h"
#include "form/form_logic.h"
#include "form/languages.h"
#include "form/window_layout.h"

namespace form {

// The description of a control by its layout entry's rule, or "" for one
// whose text says it all. The runway list's description names its columns
// by the headings shown above it:
// "Runway list, one per line, columns: RUNWAY, Orientation runway, ...".
std::string accessibleDescription(const ControlLayout& control, const common::WindowModel& window,
                                  const AccessibleTexts& texts);

// What to announce after an action has run, for example
// "Airport shown: JOHN F KENNEDY INTL, KJFK"; "" after an action that
// changes no result (the menus) and after a search that showed nothing (its
// message box speaks for it, and the airport still on display is old).
std::string announcement(Action action, const FormState& state, const common::WindowModel& window,
                         const AccessibleTexts& texts);

}  // namespace form

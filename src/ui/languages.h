// SPDX-License-Identifier: MIT
#pragma once

// The two interface languages: fixed tables of texts, and the switch that
// puts one of them on the window and remembers it.

#include <optional>
#include <string>
#include <string_view>

#include "common/form_state.h"
#include "common/messages.h"
#include "common/window_model.h"

namespace ui {

struct Language {
  common::Captions captions;
  std::string_view menuLingua;
  std::string_view check1;
  std::string_view langCode;
};

const Language& italianLanguage();
const Language& englishLanguage();

// Sets the caption texts, copies them onto their controls, sets MenuLingua,
// Check1 and the language code, then saves the settings file. Returns the
// system's reason when the save failed (the texts stay applied).
std::optional<std::string> applyLanguage(const Language& language, common::FormState& state,
                                         common::WindowModel& window);

// A file failure in the language of langCode, e.g.
// Impossibile aprire "airports.txt": <the system's reason> for "Ita". Until
// a language is applied (or for a code of neither language) it is English.
std::string fileFailureText(std::string_view langCode, common::FileOperation operation,
                            std::string_view fileName, std::string_view reason);

}  // namespace ui

// SPDX-License-Identifier: MIT
#pragma once

// The two interface languages: fixed tables of texts, and the switch that
// puts one of them on the window and remembers it.

#include <optional>
#include <string>
#include <string_view>

#include "common/error.h"
#include "common/form_state.h"
#include "common/messages.h"
#include "common/window_model.h"

namespace form {

struct Language {
  common::Captions captions;
  std::string_view menuLingua;
  std::string_view check1;
  std::string_view langCode;
};

const Language& italianLanguage();
const Language& englishLanguage();

// The language of a settings file's code, or nothing for a code of neither
// language (the window then keeps the texts it has).
const Language* languageOfCode(std::string_view langCode);

// The language a new settings file names.
const Language& defaultLanguage();

// Sets the caption texts, copies them onto their controls, sets MenuLingua,
// Check1 and the language code, then saves the settings file. Returns the
// system's reason when the save failed (the texts stay applied).
std::optional<common::Error> applyLanguage(const Language& language, common::FormState& state,
                                           common::WindowModel& window);

// What a screen reader says about the controls beside their visible texts:
// what each value is, what each input does, and the lead words of the
// announcements after a search, a mark and a distance.
struct AccessibleTexts {
  std::string_view resultPanel;
  std::string_view resultLine;  // followed by the line's number
  std::string_view airportName;
  std::string_view position;
  std::string_view icaoCode;
  std::string_view elevation;
  std::string_view runwayCount;
  std::string_view runwayList;  // followed by the column headings
  std::string_view distance;
  std::string_view searchButton;
  std::string_view dataSheetOption;
  std::string_view markButton;
  std::string_view distanceButton;
  std::string_view airportShown;
  std::string_view departureMarked;
  std::string_view destinationMarked;
};

// The texts for a language code: English for "Eng", otherwise Italian, the
// language the form's own captions are written in, which stay when no
// language was applied.
const AccessibleTexts& accessibleTexts(std::string_view langCode);

// The caption of the command that copies the airport shown: "Copy airport"
// for "Eng"; otherwise, in the form's own language, "Copia aeroporto".
std::string_view copyAirportCaption(std::string_view langCode);

// A file failure in the language of langCode, the system's reason
// included: Impossibile aprire "airports.txt": File o directory non
// esistente for "Ita". A message is never in two languages: it is English
// where the system has no Italian for the reason (or the reason is the
// program's own), until a language is applied, and for a code of neither
// language.
std::string fileFailureText(std::string_view langCode, common::FileOperation operation,
                            std::string_view fileName, const common::Error& error);

// "No airport found: " with the text for "Eng"; otherwise, in the form's own
// language, "Nessun aeroporto trovato: ".
std::string notFoundText(std::string_view langCode, std::string_view searchText);

}  // namespace form

// SPDX-License-Identifier: MIT
#pragma once

// The two interface languages: fixed tables of texts, and the switch that
// puts one of them on the window and remembers it.

#include <optional>
#include <string>
#include <string_view>

#include "common/captions.h"
#include "common/error.h"
#include "common/messages.h"
#include "common/window_model.h"
#include "form/form_state.h"

namespace form {

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

// The lead words of a file failure message, by operation.
struct FailureWords {
  std::string_view open;
  std::string_view read;
  std::string_view write;
};

struct OwnReasons {
  std::string_view notRegularFile;
  std::string_view linkOfAnotherUser;
};

// Every text of one interface language.
struct Language {
  common::Captions captions;
  std::string_view menuLingua;
  std::string_view check1;
  std::string_view langCode;
  AccessibleTexts accessible;
  FailureWords failureWords;
  std::string_view notFound;     // followed by the search text
  std::string_view copyAirport;  // the command that copies the airport shown
  // The locale whose messages give the system's reasons in this language;
  // nullptr for the system's own (English) reasons.
  const char* reasonLocale;
  // The program's own reasons (common::kNotRegularFile, kLinkOfAnotherUser),
  // which no system locale translates, in this language (Windows-1252).
  OwnReasons ownReasons;
};

const Language& italianLanguage();
const Language& englishLanguage();

// The language of a settings file's code, or nothing for a code of neither
// language (the window then keeps the texts it has).
const Language* languageOfCode(std::string_view langCode);

// What stands for a code of neither language, or before one is applied.
enum class Fallback {
  // The form's own captions are Italian and stay until a language is
  // applied, so what goes with them (accessible texts, the not-found
  // message, the copy command) is Italian too.
  FormsOwnLanguage,
  // File failure messages are English, the language of the system's own
  // reasons, so that a message is never in two languages.
  English,
};

// The language of a code, chosen by the rule for the texts asked for.
const Language& languageFor(std::string_view langCode, Fallback fallback);

// The language a new settings file names.
const Language& defaultLanguage();

// Sets the caption texts, copies them onto their controls, sets MenuLingua,
// Check1 and the language code, then saves the settings file. Returns the
// system's reason when the save failed (the texts stay applied).
std::optional<common::Error> applyLanguage(const Language& language, FormState& state,
                                           common::WindowModel& window);

// The accessible texts for a language code (Fallback::FormsOwnLanguage).
const AccessibleTexts& accessibleTexts(std::string_view langCode);

// The caption of the command that copies the airport shown, "Copy airport"
// or "Copia aeroporto" (Fallback::FormsOwnLanguage).
std::string_view copyAirportCaption(std::string_view langCode);

// A file failure in the language of langCode, the system's reason
// included: Impossibile aprire "airports.txt": File o directory non
// esistente for "Ita". A message is never in two languages: it is English
// where the system has no reason in the language (or the reason is the
// program's own), and for a code of neither language (Fallback::English).
std::string fileFailureText(std::string_view langCode, common::FileOperation operation,
                            std::string_view fileName, const common::Error& error);

// "No airport found: " or "Nessun aeroporto trovato: " with the text
// (Fallback::FormsOwnLanguage).
std::string notFoundText(std::string_view langCode, std::string_view searchText);

}  // namespace form

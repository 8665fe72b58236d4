// SPDX-License-Identifier: MIT
#include "form/languages.h"

#include <optional>

#include "files/settings_file.h"

namespace form {

using common::ControlId;
using common::FileOperation;

namespace {

std::string_view wordsFor(const FailureWords& words, FileOperation operation) {
  switch (operation) {
    case FileOperation::Open:
      return words.open;
    case FileOperation::Read:
      return words.read;
    case FileOperation::Write:
      return words.write;
  }
  return {};
}

// The reason in the language's own words: the system's, from its locale's
// messages, or the program's own; nothing where there is none, and always
// for a language whose reasons are the system's own.
std::optional<std::string> localReasonFor(const Language& language, const common::Error& error) {
  if (language.reasonLocale == nullptr) return std::nullopt;
  if (error.errorNumber != 0)
    return common::systemReasonIn(error.errorNumber, language.reasonLocale);
  if (error.reason == common::kNotRegularFile)
    return std::string(language.ownReasons.notRegularFile);
  if (error.reason == common::kLinkOfAnotherUser) {
    return std::string(language.ownReasons.linkOfAnotherUser);
  }
  return std::nullopt;
}

}  // namespace

const Language& italianLanguage() {
  static const Language italian{
      {"CERCA", "AEROPORTO", "ELEVAZIONE", "PISTA", "Orientamento pista", "Lunghezza pista",
       "Frequenza ILS", "Piste", "Immettere nome aeroporto o codice ICAO"},
      "&Lingua",
      "CREA FILE DATI",
      "Ita",
      {"Pannello dei risultati", "Riga di risultato", "Nome aeroporto", "Posizione", "Codice ICAO",
       "Elevazione", "Numero di piste", "Elenco piste, una per riga, colonne", "Distanza",
       "Cerca il prossimo aeroporto che contiene il testo",
       "Scrive una scheda dati di ogni aeroporto mostrato",
       "Segna l'aeroporto mostrato come partenza P o destinazione D",
       "Calcola la distanza tra partenza e destinazione", "Aeroporto mostrato", "Partenza segnata",
       "Destinazione segnata"},
      {"Impossibile aprire", "Impossibile leggere", "Impossibile scrivere"},
      "Nessun aeroporto trovato: ",
      "Copia aeroporto",
      "it_IT.UTF-8",
      {"Non \xE8 un file regolare", "\xC8 un collegamento di un altro utente"}};
  return italian;
}

const Language& englishLanguage() {
  static const Language english{
      {"SEARCH", "AIRPORT", "ELEVATION", "RUNWAY", "Orientation runway", "Length runway",
       "Frequency ILS", "Runways", "To insert name airport or code ICAO"},
      "&Language",
      "CREATES DATE FILE",
      "Eng",
      {"Result panel", "Result line", "Airport name", "Position", "ICAO code", "Elevation",
       "Number of runways", "Runway list, one per line, columns", "Distance",
       "Finds the next airport that contains the text",
       "Writes a data sheet of every airport shown",
       "Marks the airport shown as departure P or destination D",
       "Calculates the distance from departure to destination", "Airport shown", "Departure marked",
       "Destination marked"},
      {"Cannot open", "Cannot read", "Cannot write"},
      "No airport found: ",
      "Copy airport",
      nullptr,
      {common::kNotRegularFile, common::kLinkOfAnotherUser}};
  return english;
}

const Language* languageOfCode(std::string_view langCode) {
  for (const Language* language : {&italianLanguage(), &englishLanguage()}) {
    if (language->langCode == langCode) return language;
  }
  return nullptr;
}

const Language& defaultLanguage() {
  return englishLanguage();
}

const Language& languageFor(std::string_view langCode, Fallback fallback) {
  if (const Language* language = languageOfCode(langCode)) return *language;
  return fallback == Fallback::English ? englishLanguage() : italianLanguage();
}

std::optional<common::Error> applyLanguage(const Language& language, FormState& state,
                                           common::WindowModel& window) {
  state.captions = language.captions;
  const common::Captions& c = state.captions;
  window.setText(ControlId::Command1, c.search);
  window.setText(ControlId::Label3, c.airport);
  window.setText(ControlId::Label11, c.elevation);
  window.setText(ControlId::LabelPista, c.runway);
  window.setText(ControlId::Label7, c.runwayOrientation);
  window.setText(ControlId::Label8, c.runwayLength);
  window.setText(ControlId::Label9, c.ilsFrequency);
  window.setText(ControlId::Label13, c.runways);
  window.setText(ControlId::Label10, c.prompt);
  window.setText(ControlId::MenuLingua, std::string(language.menuLingua));
  window.setText(ControlId::Check1, std::string(language.check1));
  state.langCode = language.langCode;
  return files::saveSettings(state.langCode, state.lastIcao);
}

const AccessibleTexts& accessibleTexts(std::string_view langCode) {
  return languageFor(langCode, Fallback::FormsOwnLanguage).accessible;
}

std::string fileFailureText(std::string_view langCode, FileOperation operation,
                            std::string_view fileName, const common::Error& error) {
  const Language& language = languageFor(langCode, Fallback::English);
  const std::optional<std::string> localReason = localReasonFor(language, error);
  const Language& wordsIn = localReason ? language : englishLanguage();
  return common::fileFailureMessage(wordsFor(wordsIn.failureWords, operation), fileName,
                                    localReason.value_or(error.reason));
}

std::string_view copyAirportCaption(std::string_view langCode) {
  return languageFor(langCode, Fallback::FormsOwnLanguage).copyAirport;
}

std::string notFoundText(std::string_view langCode, std::string_view searchText) {
  std::string text(languageFor(langCode, Fallback::FormsOwnLanguage).notFound);
  text += searchText;
  return text;
}

}  // namespace form

// SPDX-License-Identifier: MIT
#include "form/languages.h"

#include <array>
#include <optional>

#include "files/settings_file.h"

namespace form {

using common::ControlId;
using common::FileOperation;

namespace {

struct FailureWords {
  FileOperation operation;
  std::string_view italian;
  std::string_view english;
};

constexpr std::array<FailureWords, 3> kFailureWords = {{
    {FileOperation::Open, "Impossibile aprire", "Cannot open"},
    {FileOperation::Read, "Impossibile leggere", "Cannot read"},
    {FileOperation::Write, "Impossibile scrivere", "Cannot write"},
}};

// The locale whose messages give the system's reasons in Italian.
constexpr const char* kItalianMessages = "it_IT.UTF-8";

// The program's own reasons, which no system locale translates.
struct OwnReason {
  std::string_view english;
  std::string_view italian;  // Windows-1252
};

constexpr std::array<OwnReason, 2> kOwnReasons = {{
    {common::kNotRegularFile, "Non \xE8 un file regolare"},
    {common::kLinkOfAnotherUser, "\xC8 un collegamento di un altro utente"},
}};

std::optional<std::string> italianReasonFor(const common::Error& error) {
  if (error.errorNumber != 0) return common::systemReasonIn(error.errorNumber, kItalianMessages);
  for (const OwnReason& own : kOwnReasons) {
    if (own.english == error.reason) return std::string(own.italian);
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
      "Ita"};
  return italian;
}

const Language& englishLanguage() {
  static const Language english{
      {"SEARCH", "AIRPORT", "ELEVATION", "RUNWAY", "Orientation runway", "Length runway",
       "Frequency ILS", "Runways", "To insert name airport or code ICAO"},
      "&Language",
      "CREATES DATE FILE",
      "Eng"};
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

std::optional<common::Error> applyLanguage(const Language& language, common::FormState& state,
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
  static const AccessibleTexts italian{
      "Pannello dei risultati",
      "Riga di risultato",
      "Nome aeroporto",
      "Posizione",
      "Codice ICAO",
      "Elevazione",
      "Numero di piste",
      "Elenco piste, una per riga, colonne",
      "Distanza",
      "Cerca il prossimo aeroporto che contiene il testo",
      "Scrive una scheda dati di ogni aeroporto mostrato",
      "Segna l'aeroporto mostrato come partenza P o destinazione D",
      "Calcola la distanza tra partenza e destinazione",
      "Aeroporto mostrato",
      "Partenza segnata",
      "Destinazione segnata"};
  static const AccessibleTexts english{"Result panel",
                                       "Result line",
                                       "Airport name",
                                       "Position",
                                       "ICAO code",
                                       "Elevation",
                                       "Number of runways",
                                       "Runway list, one per line, columns",
                                       "Distance",
                                       "Finds the next airport that contains the text",
                                       "Writes a data sheet of every airport shown",
                                       "Marks the airport shown as departure P or destination D",
                                       "Calculates the distance from departure to destination",
                                       "Airport shown",
                                       "Departure marked",
                                       "Destination marked"};
  return langCode == englishLanguage().langCode ? english : italian;
}

std::string fileFailureText(std::string_view langCode, FileOperation operation,
                            std::string_view fileName, const common::Error& error) {
  std::optional<std::string> italianReason;
  if (langCode == italianLanguage().langCode) italianReason = italianReasonFor(error);
  std::string_view what;
  for (const FailureWords& words : kFailureWords) {
    if (words.operation == operation) what = italianReason ? words.italian : words.english;
  }
  return common::fileFailureMessage(what, fileName, italianReason.value_or(error.reason));
}

std::string_view copyAirportCaption(std::string_view langCode) {
  return langCode == englishLanguage().langCode ? "Copy airport" : "Copia aeroporto";
}

std::string notFoundText(std::string_view langCode, std::string_view searchText) {
  std::string text =
      langCode == englishLanguage().langCode ? "No airport found: " : "Nessun aeroporto trovato: ";
  text += searchText;
  return text;
}

}  // namespace form

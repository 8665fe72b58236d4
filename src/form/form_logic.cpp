// SPDX-License-Identifier: MIT
#include "form/form_logic.h"

#include "common/messages.h"
#include "common/text1252.h"
#include "files/data_sheet.h"
#include "files/leftover_temporaries.h"
#include "files/settings_file.h"
#include "form/languages.h"
#include "form/result_panel.h"
#include "navcalc/distance.h"
#include "navcalc/point_marks.h"
#include "vantrelo_version.h"

namespace form {

using common::ControlId;
using common::FileOperation;

namespace {

// What a new settings file holds.
files::Settings firstSettings() {
  return {std::string(defaultLanguage().langCode), "KJFK"};
}

}  // namespace

std::string aboutText() {
  return "Vantrelo\r" + std::string(common::kVersionMark);
}

FormLogic::FormLogic() = default;

void FormLogic::reportFileFailure(common::FileOperation operation, std::string_view fileName,
                                  const common::Error& error) const {
  m_window.showMessage(common::kMessageTitle,
                       fileFailureText(m_state.langCode, operation, fileName, error));
}

bool FormLogic::startUp() {
  m_window.setVisible(ControlId::Command2, false);
  m_window.setVisible(ControlId::Command3, false);
  m_window.setVisible(ControlId::Label18, false);
  // The result labels too, not only the large lines: their design texts
  // ("aeroporto", "icao", ...) would read as results after a first search
  // that finds nothing. Label13 is captioned again by the language.
  for (ControlId result :
       {ControlId::Label14, ControlId::Label16, ControlId::Label17, ControlId::Label2,
        ControlId::Label4, ControlId::Label12, ControlId::Label15, ControlId::Label13}) {
    m_window.setText(result, "");
  }
  for (ControlId red :
       {ControlId::Label14, ControlId::Label16, ControlId::Label17, ControlId::Label18}) {
    m_window.setColour(red, common::kPureRed);
  }

  files::removeLeftoverTemporaries(".");

  if (!files::settingsFileExists()) {
    const files::Settings first = firstSettings();
    m_state.lastIcao = first.lastIcao;
    if (auto failure = files::saveSettings(first.langCode, m_state.lastIcao)) {
      reportFileFailure(FileOperation::Write, files::kSettingsFileName, *failure);
      return false;
    }
  }
  const common::Expected<files::Settings> loaded = files::loadSettings(firstSettings());
  if (!loaded) {
    reportFileFailure(FileOperation::Read, files::kSettingsFileName, loaded.error());
    return false;
  }
  m_state.langCode = loaded->langCode;
  m_state.lastIcao = loaded->lastIcao;

  m_window.setText(ControlId::Text1, m_state.lastIcao);

  if (const Language* language = languageOfCode(m_state.langCode)) {
    if (auto failure = applyLanguage(*language, m_state, m_window)) {
      reportFileFailure(FileOperation::Write, files::kSettingsFileName, *failure);
      return false;
    }
  }

  m_window.setVisible(ControlId::Frame1, false);
  m_window.setText(ControlId::Label5, "");
  m_window.setText(ControlId::Label6, "");

  if (auto failure = m_database.open()) {
    reportFileFailure(FileOperation::Open, m_database.displayName(), *failure);
    return false;
  }
  return true;
}

bool FormLogic::handle(Action action) {
  switch (action) {
    case Action::Command1:
      search();
      break;
    case Action::Command2:
      navcalc::markPoint(m_state.points, m_shown ? m_shown->record.icao : std::string(), m_window);
      break;
    case Action::Command3:
      navcalc::calculateDistance(m_state.points, m_window);
      break;
    case Action::MenuItaliano:
    case Action::MenuInglese: {
      const Language& language =
          action == Action::MenuItaliano ? italianLanguage() : englishLanguage();
      if (auto failure = applyLanguage(language, m_state, m_window)) {
        reportFileFailure(FileOperation::Write, files::kSettingsFileName, *failure);
      }
      break;
    }
    case Action::MenuAbout:
      m_window.showMessage(common::kMessageTitle, aboutText());
      break;
    case Action::Exit:
      m_database.close();  // nothing is saved
      return false;
  }
  return true;
}

void FormLogic::search() {
  navcalc::offerPointButton(m_state.points, m_window);
  m_state.runwayCount = 0;
  m_state.lastSearchFound = false;
  m_window.setVisible(ControlId::Frame1, true);
  const std::string searchText = common::toUpper1252(m_window.text(ControlId::Text1));
  m_window.setText(ControlId::Text1, searchText);
  showResult(lookup::searchAirport(m_database, searchText), searchText);
}

// In the order the search met them: the airport, then the failure to reopen
// the database at the end of the file, then the closing steps.
void FormLogic::showResult(const lookup::SearchResult& result, std::string_view searchText) {
  if (result.readFailure) {
    reportFileFailure(FileOperation::Read, m_database.displayName(), *result.readFailure);
    return;
  }
  if (result.airport) {
    const lookup::FoundAirport& found = *result.airport;
    m_state.runwayCount = static_cast<std::int16_t>(found.runways.size());
    m_state.points.currentLat = found.latitude;
    m_state.points.currentLon = found.longitude;
    showAirport(found, m_window);
    m_shown = found;
    m_state.lastSearchFound = true;
  }
  if (result.reopenFailure) {
    reportFileFailure(FileOperation::Open, m_database.displayName(), *result.reopenFailure);
  }
  if (!result.airport) {
    // Nothing was searched after a failed reopen: "not found" would be untrue.
    if (!result.reopenFailure) {
      m_window.showMessage(common::kMessageTitle, notFoundText(m_state.langCode, searchText));
    }
    return;
  }
  finishShownAirport(*result.airport);
}

void FormLogic::finishShownAirport(const lookup::FoundAirport& found) {
  if (m_window.check1Ticked()) {
    const files::DataSheet sheet = files::makeDataSheet(found, m_state.captions);
    if (auto failure = files::writeDataSheet(sheet)) {
      reportFileFailure(FileOperation::Write, sheet.fileName, *failure);
    }
  }
  m_state.lastIcao = found.record.icao;
  if (auto failure = files::saveSettings(m_state.langCode, m_state.lastIcao)) {
    reportFileFailure(FileOperation::Write, files::kSettingsFileName, *failure);
  }
}

std::string FormLogic::shownAirportText() const {
  if (!m_shown) return {};
  return files::makeDataSheet(*m_shown, m_state.captions).bytes;
}

std::vector<lookup::RunwayCells> FormLogic::shownRunways() const {
  std::vector<lookup::RunwayCells> rows;
  if (!m_shown) return rows;
  for (const lookup::Runway& runway : m_shown->runways)
    rows.push_back(lookup::runwayCells(runway));
  return rows;
}

}  // namespace form

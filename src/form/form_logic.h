// SPDX-License-Identifier: MIT
#pragma once

// The form: owns the window model, the window-level state and the open
// database, runs start-up, and routes each user action to its handler,
// which runs to its end before the next action is delivered.
//
// Data flows database -> search -> result -> views: the search (lookup/)
// reads airports.txt and returns the airport it found, with its runways and
// position; the form shows it in the result panel, writes its data sheet and
// the settings (files/) and keeps its position for the point marks and the
// distance (navcalc/).

#include <optional>
#include <string_view>
#include <vector>

#include "common/messages.h"
#include "common/window_model.h"
#include "form/actions.h"
#include "form/form_state.h"
#include "lookup/airport_database.h"
#include "lookup/airport_search.h"
#include "lookup/result_display.h"

namespace form {

// The About box text: two lines joined by a single CR.
std::string aboutText();

class FormLogic {
 public:
  FormLogic();

  // Runs start-up, first removing the temporaries a killed run left in the
  // working folder (files/leftover_temporaries.h). Returns false when a file
  // failure ends the program; the failure has then been shown in a message
  // box.
  bool startUp();

  // Runs the handler of one action. Returns false when the program ends.
  bool handle(Action action);

  common::WindowModel& window() { return m_window; }
  const common::WindowModel& window() const { return m_window; }
  const FormState& state() const { return m_state; }

  // The airport on display as its data sheet's text (Windows-1252, lines
  // closed by CR LF), in the current language; "" while none is shown.
  // What a user copies of it.
  std::string shownAirportText() const;

  // The runway rows on display (Label5), field by field.
  std::vector<lookup::RunwayCells> shownRunways() const;

 private:
  void search();
  void showResult(const lookup::SearchResult& result, std::string_view searchText);
  void finishShownAirport(const lookup::FoundAirport& found);
  void reportFileFailure(common::FileOperation operation, std::string_view fileName,
                         const common::Error& error) const;

  common::WindowModel m_window;
  FormState m_state;
  lookup::AirportDatabase m_database;
  // The airport on display (Label2 shows its code), kept until the next one
  // is found: a search that finds nothing leaves it on display.
  std::optional<lookup::FoundAirport> m_shown;
};

}  // namespace form

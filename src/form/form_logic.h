// SPDX-License-Identifier: MIT
#pragma once

// The form: owns the window model, the window-level state and the open
// database, runs start-up, and routes each user action to its handler,
// which runs to its end before the next action is delivered.
//
// Data flows database -> search -> decode -> display -> files: the search
// (lookup/) reads airports.txt, decodes the found line and fills the result
// labels; the closing steps write the data sheet and the settings (files/);
// the point marks and the distance (navcalc/) read what the search left.

#include <optional>
#include <string_view>
#include <vector>

#include "common/form_state.h"
#include "common/messages.h"
#include "common/window_model.h"
#include "lookup/airport_database.h"
#include "lookup/airport_line.h"
#include "lookup/result_display.h"

namespace form {

enum class Action { Command1, Command2, Command3, MenuItaliano, MenuInglese, MenuAbout, Exit };

// The driver's names of the actions ("Command1", "MenuAbout", ...).
std::string_view actionName(Action action);

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
  const common::FormState& state() const { return m_state; }

  // The airport on display as its data sheet's text (Windows-1252, lines
  // closed by CR LF), in the current language; "" while none is shown.
  // What a user copies of it.
  std::string shownAirportText() const;

  // The runway rows on display (Label5), field by field.
  std::vector<lookup::RunwayCells> shownRunways() const;

 private:
  // What the last found airport left, kept beyond the next search: a search
  // that finds nothing leaves it on display but empties the runway table.
  struct ShownAirport {
    lookup::FoundAirport found;
    common::RunwayTable runways;
    std::int16_t runwayCount = 0;
  };

  void search();
  void finishShownAirport(const lookup::FoundAirport& found);
  void reportFileFailure(common::FileOperation operation, std::string_view fileName,
                         const common::Error& error) const;

  common::WindowModel m_window;
  common::FormState m_state;
  lookup::AirportDatabase m_database;
  std::optional<ShownAirport> m_shown;
};

}  // namespace form

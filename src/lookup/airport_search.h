// SPDX-License-Identifier: MIT
#pragma once

// The search behind the search button: reads on from where the previous
// search stopped to the next item holding the upper-cased text of Text1,
// shows that airport, and at the end of the file reopens the database; a
// search that reached the end without a match is made once more from the
// start. A search without a match ends in reportNotFound; a read that fails
// is reported through reportFileFailure and ends the search without a result.

#include <functional>
#include <string_view>

#include "common/error.h"
#include "common/form_state.h"
#include "common/messages.h"
#include "common/window_model.h"
#include "lookup/airport_database.h"
#include "lookup/airport_line.h"

namespace lookup {

struct SearchContext {
  AirportDatabase& database;
  common::FormState& state;
  common::WindowModel& window;
  // The closing steps for an airport on display: the data sheet and the
  // settings. Runs at most once per click.
  std::function<void(const FoundAirport&)> finishShownAirport;
  // Reports a file that failed, in the interface's language.
  std::function<void(common::FileOperation, std::string_view fileName, const common::Error&)>
      reportFileFailure;
  // Tells that no airport holds the (upper-cased) text.
  std::function<void(std::string_view searchText)> reportNotFound;
};

enum class SearchRun { Ordinary, Restarted };

void searchAirport(SearchContext& context, SearchRun run = SearchRun::Ordinary);

}  // namespace lookup

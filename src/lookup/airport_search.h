// SPDX-License-Identifier: MIT
#pragma once

// The search behind the search button: reads on from where the previous
// search stopped to the next item holding the text and returns the airport
// it found. At the end of the file the database is reopened; a search that
// reached the end without a match is made once more from the start.

#include <optional>
#include <string_view>

#include "common/error.h"
#include "lookup/airport_database.h"
#include "lookup/found_airport.h"

namespace lookup {

struct SearchResult {
  // Nothing when no item holds the text or a read failed.
  std::optional<FoundAirport> airport;
  // A read that failed ends the search without a result, also when the
  // airport line was read but its runways were not. The database is then
  // closed: the next search opens it again and reads from the start.
  std::optional<common::Error> readFailure;
  // Reopening at the end of the file failed, after a search with or without
  // a result. The database stays closed; the next search tries to open it.
  std::optional<common::Error> reopenFailure;
};

// searchText is matched as given (the form upper-cases it first).
SearchResult searchAirport(AirportDatabase& database, std::string_view searchText);

}  // namespace lookup

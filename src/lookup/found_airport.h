// SPDX-License-Identifier: MIT
#pragma once

// What a search found: the airport line split into its fields, the runways
// of its block and its decoded position. Every view of the result (the
// result panel, the data sheet, the point marks) is made from this value.

#include <string>
#include <vector>

#include "lookup/airport_line.h"

namespace lookup {

// One runway line of the block after an airport line.
struct Runway {
  std::string designator;
  std::string orientation;
  std::string lengthFt;
  std::string ilsFrequency;
};

struct FoundAirport {
  AirportRecord record;         // iataCode already emptied where it was kNoIataCode
  std::vector<Runway> runways;  // in file order, at most format::kMaxRunways
  std::string latitudeText;     // e.g. 45°30'0'' N
  std::string longitudeText;
  double latitude = 0;  // decimal degrees, north and east positive
  double longitude = 0;
};

}  // namespace lookup

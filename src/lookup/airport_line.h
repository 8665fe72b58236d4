// SPDX-License-Identifier: MIT
#pragma once

// Cutting database lines into the fields of database_format.h; field 0 is
// never read. An airport line needs nine "|", a runway line six; text after
// the last one used is ignored.

#include <optional>
#include <string>
#include <string_view>

namespace lookup {

struct AirportRecord {
  std::string icao;            // field 1
  std::string airportName;     // field 2
  std::string latitudeField;   // field 3, e.g. "45500000"
  std::string longitudeField;  // field 4, e.g. "-9250000"
  std::string elevationFt;     // field 5
  std::string municipality;    // field 6
  std::string iataCode;        // field 7 (format::kNoIataCode is kept here; the search empties it)
  std::string country;         // field 8
};

struct RunwayLine {
  std::string_view designator;    // field 1
  std::string_view orientation;   // field 2
  std::string_view lengthFt;      // field 3
  std::string_view ilsFrequency;  // field 5
};

// True when the item can be split as an airport line (it has nine "|" as the
// split looks for them).
bool isSplittableAirportLine(std::string_view item);

// Fields 1 to 8 of an airport line. The "|" closing field 1 is looked for
// from the second character of the field on, so field 1 is never empty.
// Returns nothing for an item with too few "|".
std::optional<AirportRecord> splitAirportLine(std::string_view item);

// Fields 1, 2, 3 and 5 of a runway line ("R|09|090|10000|x|110.30|"). Every
// field's closing "|" is looked for from the field's second character on.
// Returns nothing for an item with too few "|". The views point into item.
std::optional<RunwayLine> splitRunwayLine(std::string_view item);

}  // namespace lookup

// SPDX-License-Identifier: MIT
#pragma once

// From OurAirports rows to the blocks of airports.txt. An airport becomes
//   keys|ICAO|NAME|LAT|LON|ELEVATION|MUNICIPALITY|IATA or --|COUNTRY|
// and each runway end one line |DESIGNATOR|ORIENTATION|LENGTH|WIDTH|0|.
// Every text is a database field (see text_folding.h): Windows-1252, upper
// case, without "," "|" or double quotes.

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ourairports_tables.h"
#include "search_keys.h"

namespace importer {

struct RunwayEndLine {
  std::string designator;   // field 1, "04L"
  std::string orientation;  // field 2, whole degrees, "031"
  std::string lengthFt;     // field 3, "12079"
  std::string widthFt;      // field 4, "0" where unknown; field 5 (ILS) is always "0"
};

struct AirportBlock {
  std::string ident;         // the OurAirports ident as a database field ("rjns" -> "RJNS"),
                             // by which the blocks are sorted
  std::string searchKeys;    // field 0, never shown but searched: searchKeysText of keys
  std::string icao;          // field 1
  std::string name;          // field 2
  std::string latitude;      // field 3, "40639447"
  std::string longitude;     // field 4, "-73779317"
  std::string elevationFt;   // field 5, empty where unknown
  std::string municipality;  // field 6
  std::string iataCode;      // field 7, lookup::format::kNoIataCode for none
  std::string country;       // field 8, the country's name
  std::vector<RunwayEndLine> runways;
  // Not written; what the first-click order weighs (airport_order.h).
  std::string type;  // "large_airport", ...
  bool scheduledService = false;
  // Not written either: what field 0 is made of (city_names.h).
  KeyList keys;
  std::string countryCode;            // ISO 3166, "CH"
  std::vector<std::string> cityKeys;  // names of the cities it is the main airport of
  std::string metroCode;              // of the city it is the main airport of, "LON"
  std::size_t rowLine = 0;            // of the airport row, for warnings
};

// Remakes searchKeys from keys, after keys have been added to.
void refreshSearchKeys(AirportBlock& block);

// A coordinate field from signed decimal degrees, rounded half away from
// zero to millionths: "40.639447" -> "40639447", "-0.4619415" ->
// "-0461942", "-9" -> "-9000000", "1e-7" -> "0000000". Nothing for a text
// that is not a decimal number or whose value lies beyond maxDegrees.
std::optional<std::string> coordinateField(std::string_view decimalDegrees, int maxDegrees);

// The orientation of a runway end in whole degrees, three digits from "001"
// to "360" (north is 360). Taken from, in this order: the end's own true
// heading ("30.6" -> "031"); the opposite end's true heading turned round
// ("210.6" -> "031"); a designator that starts with a runway number 1 to 36
// ("04L" -> "040"); a compass designator ("NE" -> "045"). Nothing when none
// of them gives one, as for a helipad "H1".
std::optional<std::string> runwayOrientation(std::string_view headingDegT,
                                             std::string_view oppositeHeadingDegT,
                                             std::string_view designator);

struct AirportConversion {
  std::optional<AirportBlock> block;  // without runways
  std::string problem;                // why there is no block, or what was left out of it
};

// One airport row as a block. countryNames maps ISO codes to names; an
// unknown code is written as it stands. A row whose name has no letter or
// digit to write gets its ident as name, and says so in problem.
AirportConversion convertAirport(const AirportRow& row,
                                 const std::map<std::string, std::string>& countryNames);

struct RunwayConversion {
  std::vector<RunwayEndLine> ends;          // the low end first
  std::string skipReason;                   // set when the whole runway is left out
  std::string warning;                      // what the user should hear of the row, if anything
  std::vector<std::string> endSkipReasons;  // one per end left out
};

// The runway's ends as lines. Closed runways, runways without a length (empty
// or 0) and runways with no designator at either end are left out whole; an
// end whose designator has nothing Windows-1252 can write, or whose
// orientation cannot be found, is left out alone.
RunwayConversion convertRunway(const RunwayRow& row);

}  // namespace importer

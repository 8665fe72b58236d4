// SPDX-License-Identifier: MIT
#pragma once

// Writing the blocks out as the bytes of airports.txt: each line closed by
// CR LF, each block (airport line, runway lines) followed by one empty line.

#include <string>
#include <vector>

#include "airport_conversion.h"

namespace importer {

// "* KEYS |ICAO|NAME|LAT|LON|ELEV|CITY|IATA|COUNTRY|", without its line end. Field 0
// holds the search keys with a blank before and after each one, so that a
// code typed with a blank beside it (" LHR", "KJFK ") is still found; it is
// empty when there are no keys.
std::string airportLine(const AirportBlock& block);

// "|04L|031|12079|200|0|", without its line end. Field 0 stays empty, so a
// search for an airport's name or code never lands on a runway line.
std::string runwayLine(const RunwayEndLine& end);

// The whole file, blocks in the order given. Runway lines beyond
// lookup::format::kMaxRunways in one block are not written.
std::string databaseBytes(const std::vector<AirportBlock>& blocks);

}  // namespace importer

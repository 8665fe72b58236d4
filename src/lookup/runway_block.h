// SPDX-License-Identifier: MIT
#pragma once

// The runway lines after a found airport line.

#include <vector>

#include "lookup/airport_database.h"
#include "lookup/found_airport.h"

namespace lookup {

// Reads runway lines up to the empty line that closes the block (or the end
// of the file) and returns them in file order. Lines that are not runway
// lines (too few "|", a length that is not a number) and lines after the
// 100th are read over and not kept.
std::vector<Runway> readRunwayBlock(AirportDatabase& database);

}  // namespace lookup

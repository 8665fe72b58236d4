// SPDX-License-Identifier: MIT
#pragma once

// The runway lines after a found airport line, read into the runway table.

#include "common/form_state.h"
#include "lookup/airport_database.h"

namespace lookup {

// Reads runway lines up to the empty line that closes the block (or the end
// of the file) into the table, from entry 1 on, counting them in
// runwayCount. Lines that are not runway lines (too few "|", a length that
// is not a number) and lines after the 100th are read over and not stored.
void readRunwayBlock(AirportDatabase& database, common::FormState& state);

}  // namespace lookup

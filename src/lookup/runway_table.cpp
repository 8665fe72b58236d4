// SPDX-License-Identifier: MIT
#include "lookup/runway_table.h"

#include "common/number_rules.h"
#include "lookup/airport_line.h"

namespace lookup {

void readRunwayBlock(AirportDatabase& database, common::FormState& state) {
  while (!database.atEnd()) {
    const Item item = database.readItem();
    if (!item.oversized && item.text.empty()) return;  // the empty line closes the block
    if (item.oversized || state.runwayCount >= static_cast<int>(common::kMaxRunways)) continue;
    const auto runway = splitRunwayLine(item.text);
    if (!runway || !common::parseNumber(runway->lengthFt)) continue;
    const auto index = static_cast<std::size_t>(state.runwayCount);
    ++state.runwayCount;
    state.runways.designator[index] = runway->designator;
    state.runways.orientation[index] = runway->orientation;
    state.runways.lengthFt[index] = runway->lengthFt;
    state.runways.ilsFrequency[index] = runway->ilsFrequency;
  }
}

}  // namespace lookup

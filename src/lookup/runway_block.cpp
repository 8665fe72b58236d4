// SPDX-License-Identifier: MIT
#include "lookup/runway_block.h"

#include "common/number_rules.h"
#include "lookup/airport_line.h"
#include "lookup/database_format.h"

namespace lookup {

std::vector<Runway> readRunwayBlock(AirportDatabase& database) {
  std::vector<Runway> runways;
  while (!database.atEnd()) {
    const Item item = database.readItem();
    if (!item.oversized && item.text.empty()) break;  // the empty line closes the block
    if (item.oversized || runways.size() >= format::kMaxRunways) continue;
    const auto runway = splitRunwayLine(item.text);
    if (!runway || !common::parseNumber(runway->lengthFt)) continue;
    runways.push_back({std::string(runway->designator), std::string(runway->orientation),
                       std::string(runway->lengthFt), std::string(runway->ilsFrequency)});
  }
  return runways;
}

}  // namespace lookup

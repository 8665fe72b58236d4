// SPDX-License-Identifier: MIT
#include "item_limit.h"

#include "database_writer.h"
#include "lookup/airport_database.h"

namespace importer {

ItemLimitFit fitItemLimit(AirportBlock& block) {
  constexpr std::size_t kLimit = lookup::AirportDatabase::kMaxItemBytes;
  const std::size_t length = airportLine(block).size();
  if (length <= kLimit) return {};
  std::string& keys = block.searchKeys;
  const std::string allKeys = keys;
  keys.clear();
  if (airportLine(block).size() > kLimit) {
    keys = allKeys;
    return {false, "airport line of " + std::to_string(length) + " bytes is longer than " +
                       std::to_string(kLimit) + " even without search keys, row left out"};
  }
  // Whole keys only: a key cut in the middle would find what it should not.
  // The line is measured as written, with the marks around the keys.
  keys = allKeys;
  while (airportLine(block).size() > kLimit) {
    const std::size_t blank = keys.rfind(' ');
    keys.resize(blank == std::string::npos ? 0 : blank);
  }
  return {true, "search keys shortened from " + std::to_string(allKeys.size()) + " to " +
                    std::to_string(keys.size()) + " bytes to fit the " + std::to_string(kLimit) +
                    "-byte line limit"};
}

}  // namespace importer

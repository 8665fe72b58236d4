// SPDX-License-Identifier: MIT
#include "database_writer.h"

#include <algorithm>

#include "lookup/database_format.h"

namespace importer {

using lookup::format::kFieldSeparator;
using lookup::format::kLineEnd;

namespace {

// A line never starts with a blank, so field 0 starts with this mark and
// a blank before its first key.
constexpr const char* kKeysStart = "* ";

}  // namespace

std::string airportLine(const AirportBlock& block) {
  std::string line;
  if (!block.searchKeys.empty()) line = kKeysStart + block.searchKeys + ' ';
  line += kFieldSeparator;
  for (const std::string* field :
       {&block.icao, &block.name, &block.latitude, &block.longitude, &block.elevationFt,
        &block.municipality, &block.iataCode, &block.country}) {
    line += *field;
    line += kFieldSeparator;
  }
  return line;
}

std::string runwayLine(const RunwayEndLine& end) {
  std::string line(1, kFieldSeparator);  // field 0 stays empty
  for (const std::string* field :
       {&end.designator, &end.orientation, &end.lengthFt, &end.widthFt}) {
    line += *field;
    line += kFieldSeparator;
  }
  line += "0";  // no ILS frequency
  line += kFieldSeparator;
  return line;
}

std::string databaseBytes(const std::vector<AirportBlock>& blocks) {
  std::string bytes;
  for (const AirportBlock& block : blocks) {
    bytes += airportLine(block);
    bytes += kLineEnd;
    const std::size_t count = std::min(block.runways.size(), lookup::format::kMaxRunways);
    for (std::size_t i = 0; i < count; ++i) {
      bytes += runwayLine(block.runways[i]);
      bytes += kLineEnd;
    }
    bytes += kLineEnd;
  }
  return bytes;
}

}  // namespace importer

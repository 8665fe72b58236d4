// SPDX-License-Identifier: MIT
#include "database_writer.h"

#include <algorithm>

#include "common/form_state.h"

namespace importer {
namespace {

constexpr const char* kLineEnd = "\r\n";
// A line never starts with a blank, so field 0 starts with this mark and
// a blank before its first key.
constexpr const char* kKeysStart = "* ";

}  // namespace

std::string airportLine(const AirportBlock& block) {
  std::string line;
  if (!block.searchKeys.empty()) line = kKeysStart + block.searchKeys + ' ';
  line += '|';
  for (const std::string* field :
       {&block.icao, &block.name, &block.latitude, &block.longitude, &block.elevationFt,
        &block.heading1, &block.heading3, &block.heading2}) {
    line += *field;
    line += '|';
  }
  return line;
}

std::string runwayLine(const RunwayEndLine& end) {
  return "|" + end.designator + "|" + end.orientation + "|" + end.lengthFt + "|" + end.widthFt +
         "|0|";
}

std::string databaseBytes(const std::vector<AirportBlock>& blocks) {
  std::string bytes;
  for (const AirportBlock& block : blocks) {
    bytes += airportLine(block);
    bytes += kLineEnd;
    const std::size_t count = std::min(block.runways.size(), common::kMaxRunways);
    for (std::size_t i = 0; i < count; ++i) {
      bytes += runwayLine(block.runways[i]);
      bytes += kLineEnd;
    }
    bytes += kLineEnd;
  }
  return bytes;
}

}  // namespace importer

// SPDX-License-Identifier: MIT
// The airport-line and runway-line splits over arbitrary items, held
// against the literal 1-based reading of the split rules in reference.cpp.

#include <cstdint>
#include <string>
#include <string_view>

#include "lookup/airport_line.h"
#include "reference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view item(reinterpret_cast<const char*>(bytes), size);

  const auto airport = lookup::splitAirportLine(item);
  const auto expectedAirport = fuzzref::splitAirport(item);
  fuzzref::check(airport.has_value() == expectedAirport.has_value(),
                 "splitAirportLine: splittable differs");
  fuzzref::check(lookup::isSplittableAirportLine(item) == expectedAirport.has_value(),
                 "isSplittableAirportLine differs");
  if (airport) {
    const auto& e = *expectedAirport;
    fuzzref::check(airport->icao == e[0] && airport->airportName == e[1] &&
                       airport->latitudeField == e[2] && airport->longitudeField == e[3] &&
                       airport->elevationFt == e[4] && airport->municipality == e[5] &&
                       airport->iataCode == e[6] && airport->country == e[7],
                   "splitAirportLine: a field differs");
    fuzzref::check(!airport->icao.empty(), "splitAirportLine: empty ICAO field");
  }

  const auto runway = lookup::splitRunwayLine(item);
  const auto expectedRunway = fuzzref::splitRunway(item);
  fuzzref::check(runway.has_value() == expectedRunway.has_value(),
                 "splitRunwayLine: splittable differs");
  if (runway) {
    const auto& e = *expectedRunway;
    fuzzref::check(runway->designator == e[0] && runway->orientation == e[1] &&
                       runway->lengthFt == e[2] && runway->ilsFrequency == e[3],
                   "splitRunwayLine: a field differs");
    for (std::string_view field :
         {runway->designator, runway->orientation, runway->lengthFt, runway->ilsFrequency}) {
      fuzzref::check(!field.empty(), "splitRunwayLine: empty field");
      // The views must point into the item itself.
      fuzzref::check(
          field.data() >= item.data() && field.data() + field.size() <= item.data() + item.size(),
          "splitRunwayLine: field outside the item");
    }
  }
  return 0;
}

// SPDX-License-Identifier: MIT
#include "lookup/airport_search.h"

#include <string>

#include "lookup/airport_line.h"
#include "lookup/coordinate.h"
#include "lookup/database_format.h"
#include "lookup/runway_block.h"

namespace lookup {
namespace {

enum class SearchRun { Ordinary, Restarted };

FoundAirport decodeMatch(std::string_view item) {
  FoundAirport found;
  found.record = *splitAirportLine(item);  // the scan accepts splittable items only
  if (found.record.iataCode == format::kNoIataCode) found.record.iataCode.clear();
  const auto latitude = decodeCoordinate(found.record.latitudeField, CoordinateKind::Latitude);
  const auto longitude = decodeCoordinate(found.record.longitudeField, CoordinateKind::Longitude);
  found.latitudeText = latitude.text;
  found.latitude = latitude.degrees;
  found.longitudeText = longitude.text;
  found.longitude = longitude.degrees;
  return found;
}

SearchResult search(AirportDatabase& database, std::string_view searchText, SearchRun run) {
  SearchResult result;
  std::string matchedItem;
  const std::size_t matchPosition =
      database.scanFor(searchText, isSplittableAirportLine, matchedItem);
  std::vector<Runway> runways = readRunwayBlock(database);
  if (auto failure = database.readError()) {
    database.close();
    result.readFailure = std::move(failure);
    return result;
  }
  if (matchPosition > 0) {
    result.airport = decodeMatch(matchedItem);
    result.airport->runways = std::move(runways);
  }
  if (database.atEnd()) {
    result.reopenFailure = database.open();
    if (!result.reopenFailure && !result.airport && run == SearchRun::Ordinary) {
      return search(database, searchText, SearchRun::Restarted);
    }
  }
  return result;
}

}  // namespace

SearchResult searchAirport(AirportDatabase& database, std::string_view searchText) {
  return search(database, searchText, SearchRun::Ordinary);
}

}  // namespace lookup

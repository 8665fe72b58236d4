// SPDX-License-Identifier: MIT
#pragma once

// The conversion as a whole: which airports are written, their runways
// joined to them, the blocks sorted, and an account of what was left out.

#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "airport_conversion.h"
#include "gazetteer.h"
#include "geonames_source.h"
#include "ourairports_tables.h"

#include "common/error.h"

namespace importer {

// Every airport type of OurAirports but "closed", which is never written,
// the most important first (the first-click order ranks by it).
const std::vector<std::string>& knownAirportTypes();

// Open airports and seaplane bases: small, medium and large airports and
// seaplane bases, no heliports or balloon ports.
const std::set<std::string>& defaultAirportTypes();

// "large_airport,medium_airport" as a set, or why a type is refused (unknown
// or closed).
common::Expected<std::set<std::string>> parseAirportTypes(std::string_view list);

struct ImportSummary {
  std::size_t airportRows = 0;
  std::size_t runwayRows = 0;
  std::size_t airportsWritten = 0;
  std::size_t runwayLinesWritten = 0;
  std::map<std::string, std::size_t> airportsSkipped;    // reason -> airport rows
  std::map<std::string, std::size_t> runwaysSkipped;     // reason -> runway rows
  std::map<std::string, std::size_t> runwayEndsSkipped;  // reason -> runway ends
  // Rows with values that could not be used, "airports.csv:12: latitude ...":
  // the first hundred, and how many there were.
  std::vector<std::string> warnings;
  std::size_t warningCount = 0;
};

struct ImportResult {
  // Sorted by ident, each with at most lookup::format::kMaxRunways runways.
  std::vector<AirportBlock> blocks;
  ImportSummary summary;
};

struct ImportInput {
  const std::vector<AirportRow>& airports;
  const std::vector<RunwayRow>& runways;
  const std::map<std::string, std::string>& countryNames;
  std::string airportsFileName;  // for the warnings
  std::string runwaysFileName;
  // Where the names of the cities come from (city_names.h); nullptr for none.
  const Gazetteer* gazetteer = &installedGazetteer();
};

// Airports of the given types that are not closed, each with the runways
// whose airport_ref is its id, in the order of the runways file, and the
// names of the cities they serve.
ImportResult buildDatabase(const ImportInput& input, const std::set<std::string>& types);

// The same, a row at a time as the files are read: every airport row first,
// then every runway row. It holds only the airports written.
class DatabaseBuilder {
 public:
  DatabaseBuilder(const std::map<std::string, std::string>& countryNames,
                  std::set<std::string> types, std::string airportsFileName,
                  std::string runwaysFileName, const Gazetteer* gazetteer);

  void addAirport(const AirportRow& row);
  void addRunway(const RunwayRow& row);
  ImportResult finish();

 private:
  // The row's block, when it converts, its ident is new and it fits the
  // item limit; what was wrong or left out goes to the summary.
  std::optional<AirportBlock> writableBlock(const AirportRow& row);
  void warn(const std::string& fileName, std::size_t line, const std::string& text);

  const std::map<std::string, std::string>& m_countryNames;
  std::set<std::string> m_types;
  std::string m_airportsFileName;
  std::string m_runwaysFileName;
  const Gazetteer* m_gazetteer;  // nullptr for none
  ImportResult m_result;
  std::unordered_map<std::string, std::size_t> m_blockById;    // airport id -> block
  std::unordered_map<std::string, std::size_t> m_lineByIdent;  // ident -> row line written
};

}  // namespace importer

// SPDX-License-Identifier: MIT
// The importer's writer and the program's reader share one layout: what the
// one writes, the other finds field for field.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/text1252.h"
#include "database_writer.h"
#include "lookup/airport_database.h"
#include "lookup/airport_search.h"
#include "lookup/database_format.h"
#include "temp_dir.h"

namespace {

importer::AirportBlock sampleBlock(const std::string& icao, std::string iata,
                                   std::size_t runwayCount) {
  importer::AirportBlock block;
  block.searchKeys = icao + " KEYS";
  block.icao = icao;
  block.name = common::utf8ToCp1252("AÉROPORT " + icao);
  block.latitude = "45500000";
  block.longitude = "-9250000";
  block.elevationFt = "-12";
  block.municipality = common::utf8ToCp1252("SÃO TOWN");
  block.iataCode = std::move(iata);
  block.country = "SAMPLELAND";
  for (std::size_t i = 0; i < runwayCount; ++i) {
    const std::string n = std::to_string(i + 1);
    block.runways.push_back({"R" + n, "0" + n, "1" + n + "00", "150"});
  }
  return block;
}

TEST(DatabaseRoundTrip, TheSearchFindsEveryFieldAndRunwayTheWriterWrote) {
  const std::vector<importer::AirportBlock> blocks = {
      sampleBlock("ABCD", "ABC", 2),
      sampleBlock("EFGH", std::string(lookup::format::kNoIataCode), 0),
      sampleBlock("IJKL", "IJK", lookup::format::kMaxRunways + 3)};
  testing_support::TempDir dir;
  dir.write("airports.txt", importer::databaseBytes(blocks));

  for (const importer::AirportBlock& block : blocks) {
    lookup::AirportDatabase database(dir.file("airports.txt"));
    ASSERT_EQ(database.open(), std::nullopt);
    const lookup::SearchResult result = lookup::searchAirport(database, "|" + block.icao + "|");
    ASSERT_TRUE(result.airport) << block.icao;
    const lookup::AirportRecord& record = result.airport->record;
    EXPECT_EQ(record.icao, block.icao);
    EXPECT_EQ(record.airportName, block.name);
    EXPECT_EQ(record.latitudeField, block.latitude);
    EXPECT_EQ(record.longitudeField, block.longitude);
    EXPECT_EQ(record.elevationFt, block.elevationFt);
    EXPECT_EQ(record.municipality, block.municipality);
    EXPECT_EQ(record.iataCode, block.iataCode == lookup::format::kNoIataCode ? "" : block.iataCode);
    EXPECT_EQ(record.country, block.country);
    EXPECT_EQ(result.airport->latitude, 45.5);
    EXPECT_EQ(result.airport->longitude, -9.25);

    const std::vector<lookup::Runway>& runways = result.airport->runways;
    ASSERT_EQ(runways.size(), std::min(block.runways.size(), lookup::format::kMaxRunways));
    for (std::size_t i = 0; i < runways.size(); ++i) {
      EXPECT_EQ(runways[i].designator, block.runways[i].designator);
      EXPECT_EQ(runways[i].orientation, block.runways[i].orientation);
      EXPECT_EQ(runways[i].lengthFt, block.runways[i].lengthFt);
      EXPECT_EQ(runways[i].ilsFrequency, "0");
    }
  }
}

}  // namespace

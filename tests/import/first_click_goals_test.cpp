// SPDX-License-Identifier: MIT
// The first-click report on the bundled database: how often a code typed
// after start-up shows its airport at once, and the airports city names
// show. A change to the order or to the search keys that loses ground
// fails here.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "csv_reader.h"
#include "first_click_report.h"
#include "ourairports_tables.h"

namespace {

namespace fs = std::filesystem;

const fs::path kDatabase = VANTRELO_BUNDLED_DATABASE;
const fs::path kAirportsCsv = fs::path(VANTRELO_OURAIRPORTS_DIR) / "airports.csv";
const fs::path kHubCities = VANTRELO_HUB_CITIES;

double percent(const importer::CodeShare& share) {
  return share.total == 0
             ? 0.0
             : 100.0 * static_cast<double>(share.found) / static_cast<double>(share.total);
}

TEST(FirstClickGoals, CodesShowTheirAirportOnTheFirstClick) {
  const std::string csv = importer::readWholeFile(kAirportsCsv);
  const auto types = importer::typesByIcao(importer::readAirportRows(csv, kAirportsCsv.string()));
  const auto report = importer::measureFirstClicks(kDatabase, types);
  ASSERT_TRUE(report) << report.error().reason;
  const auto& large = report->byType.at("large_airport");
  EXPECT_GT(large.icao.total, 400u);
  EXPECT_EQ(large.icao.found, large.icao.total);
  EXPECT_GE(percent(report->all.icao), 99.5);
  EXPECT_GE(percent(large.iata), 95.0);
  EXPECT_GE(percent(report->all.iata), 85.0);
  EXPECT_EQ(report->byType.count("unknown"), 0u) << "airports the source file lacks";
}

TEST(FirstClickGoals, HubCitiesShowTheirMainAirport) {
  const std::string list = importer::readWholeFile(kHubCities);
  const auto cities = importer::checkCities(kDatabase.string(), list);
  EXPECT_GE(cities.size(), 30u);
  for (const auto& city : cities) {
    EXPECT_TRUE(city.met()) << city.city << " shows "
                            << (city.shown ? city.shown->icao : std::string("nothing")) << ", not "
                            << city.expectedIcao;
  }
}

}  // namespace

// SPDX-License-Identifier: MIT
// The first-click report on a small database: what it counts as found, the
// misses it lists and the cities it checks, all through the program's search.

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "common/error.h"
#include "first_click_report.h"

namespace {

namespace fs = std::filesystem;

// CYWL's "WILLIAMS" holds EHAM's IATA code and comes first.
constexpr const char* kDatabase =
    "WILLIAMS LAKE|CYWL|WILLIAMS LAKE AIRPORT|52183100|-122054000|3085|WILLIAMS "
    "LAKE|YWL|CANADA|\r\n"
    "|11|110|7000|150|0|\r\n"
    "\r\n"
    "* EHAM AMS SCHIPHOL |EHAM|AMSTERDAM AIRPORT SCHIPHOL|52308601|4763890|-11|AMSTERDAM|AMS|"
    "NETHERLANDS|\r\n"
    "\r\n"
    "|ZZZZ|NO CODE FIELD|1000000|1000000|0|NOWHERE|--|XX|\r\n"
    "\r\n";

class FirstClickReport : public testing::Test {
 protected:
  void SetUp() override {
    m_path = fs::temp_directory_path() /
             ("first-click-" +
              std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + ".txt");
    std::ofstream(m_path, std::ios::binary) << kDatabase;
  }
  void TearDown() override { fs::remove(m_path); }
  std::string path() const { return m_path.string(); }

 private:
  fs::path m_path;
};

TEST_F(FirstClickReport, CountsWhatTheFirstClickShowsByType) {
  const auto report =
      importer::measureFirstClicks(path(), {{"CYWL", "medium_airport"}, {"EHAM", "large_airport"}});
  ASSERT_TRUE(report) << report.error().reason;
  const auto& large = report->byType.at("large_airport");
  EXPECT_EQ(large.icao.found, 1u);
  EXPECT_EQ(large.icao.total, 1u);
  EXPECT_EQ(large.iata.found, 0u);
  EXPECT_EQ(large.iata.total, 1u);
  const auto& medium = report->byType.at("medium_airport");
  EXPECT_EQ(medium.iata.found, 1u);
  EXPECT_EQ(report->byType.at("unknown").icao.total, 1u);  // ZZZZ, which has no IATA code
  EXPECT_EQ(report->byType.at("unknown").iata.total, 0u);
  EXPECT_EQ(report->all.icao.found, 3u);
  EXPECT_EQ(report->all.iata.found, 1u);
  EXPECT_EQ(report->all.iata.total, 2u);

  ASSERT_EQ(report->misses.size(), 1u);
  const auto& miss = report->misses[0];
  EXPECT_EQ(miss.code, "AMS");
  EXPECT_TRUE(miss.isIata);
  EXPECT_EQ(miss.airportIcao, "EHAM");
  ASSERT_TRUE(miss.shown.has_value());
  EXPECT_EQ(miss.shown->icao, "CYWL");

  std::ostringstream text;
  importer::printReport(text, *report, {});
  EXPECT_NE(text.str().find("large_airport   1 of 1 (100.0%)         0 of 1 (0.0%)\n"),
            std::string::npos)
      << text.str();
  EXPECT_NE(text.str().find("all             3 of 3 (100.0%)         1 of 2 (50.0%)\n"),
            std::string::npos)
      << text.str();
  EXPECT_NE(text.str().find("IATA AMS of EHAM (large_airport) shows CYWL WILLIAMS LAKE AIRPORT\n"),
            std::string::npos)
      << text.str();
}

TEST_F(FirstClickReport, ChecksEachCityAgainstTheAirportMeant) {
  const auto cities = importer::checkCities(
      path(), "# comment\n\nAmsterdam|EHAM\r\nwilliams|EHAM\nAtlantis\nNowhere|ZZZZ\n");
  ASSERT_EQ(cities.size(), 4u);
  EXPECT_EQ(cities[0].city, "AMSTERDAM");
  EXPECT_TRUE(cities[0].met());
  ASSERT_TRUE(cities[1].shown.has_value());
  EXPECT_EQ(cities[1].shown->icao, "CYWL");
  EXPECT_FALSE(cities[1].met());
  EXPECT_FALSE(cities[2].shown.has_value());
  EXPECT_TRUE(cities[2].met());  // no airport named, nothing to miss
  EXPECT_TRUE(cities[3].met());

  std::ostringstream text;
  importer::printReport(text, {}, cities);
  EXPECT_NE(text.str().find("WILLIAMS            CYWL WILLIAMS LAKE AIRPORT   expected EHAM\n"),
            std::string::npos)
      << text.str();
  EXPECT_NE(text.str().find("3 of 4 cities as expected\n"), std::string::npos) << text.str();
  EXPECT_EQ(text.str().find("By category"), std::string::npos) << text.str();
}

TEST_F(FirstClickReport, CountsEachCategoryOfTheList) {
  const auto cities =
      importer::checkCities(path(),
                            "## Codes\n ams|EHAM\namsterdam |EHAM\n# a comment keeps the category\n"
                            "williams|EHAM\n## Names in their own script\nАмстердам|EHAM\n");
  ASSERT_EQ(cities.size(), 4u);
  EXPECT_EQ(cities[0].category, "Codes");
  EXPECT_EQ(cities[0].city, " AMS");  // blanks are typed too
  EXPECT_EQ(cities[2].category, "Codes");
  EXPECT_EQ(cities[3].category, "Names in their own script");
  EXPECT_EQ(cities[3].city, "AMSTERDAM");
  std::ostringstream text;
  importer::printReport(text, {}, cities);
  EXPECT_NE(text.str().find("\nBy category\nCodes: 2 of 3 (66.6%)\n"
                            "Names in their own script: 1 of 1 (100.0%)\n"),
            std::string::npos)
      << text.str();
}

TEST_F(FirstClickReport, SaysWhenTheDatabaseCannotBeOpened) {
  const auto report = importer::measureFirstClicks(path() + ".missing", {});
  ASSERT_FALSE(report);
  EXPECT_EQ(report.error().reason, "No such file or directory");
}

TEST_F(FirstClickReport, SaysWhenTheDatabaseCannotBeRead) {
  // Reading this process's memory from offset 0 fails with EIO.
  const auto report = importer::measureFirstClicks("/proc/self/mem", {});
  ASSERT_FALSE(report);
  EXPECT_EQ(report.error(), common::systemError(EIO));
}

}  // namespace

// SPDX-License-Identifier: MIT
// The cities an airport serves and the names it gets from them: a made-up
// gazetteer for the matching rules, the installed one for its languages.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/text1252.h"
#include "database_writer.h"
#include "geonames_source.h"
#include "importer.h"

namespace {

importer::AirportRow airport(const std::string& ident, const std::string& type,
                             const std::string& municipality, const std::string& country,
                             const std::string& latitude, const std::string& longitude) {
  importer::AirportRow row;
  row.id = ident;
  row.ident = ident;
  row.type = type;
  row.name = ident + " Field";
  row.latitudeDeg = latitude;
  row.longitudeDeg = longitude;
  row.isoCountry = country;
  row.municipality = municipality;
  row.scheduledService = "yes";
  return row;
}

importer::GazetteerCity city(const std::string& country, double latitude, double longitude,
                             std::uint32_t population, std::vector<std::string> names) {
  return {country, latitude, longitude, population, std::move(names)};
}

const importer::Gazetteer& madeUpGazetteer() {
  static const importer::Gazetteer gazetteer({
      city("NL", 52.374, 4.890, 741636, {"Amsterdam", "Amsterdamo"}),
      city("NL", 52.303, 4.690, 150000, {"Haarlemmermeer"}),
      city("FR", 48.853, 2.349, 2138551, {"Parigi", "Paris"}),
      city("US", 33.661, -95.556, 24782, {"Paris"}),
      city("US", 46.732, -117.000, 25060, {"Moscow"}),
      city("RU", 55.752, 37.616, 10381222, {"Mosca", "Moscow", "Москва"}),
  });
  return gazetteer;
}

// The airport lines the import writes, by ICAO code, in Windows-1252.
std::vector<importer::AirportBlock> imported(const std::vector<importer::AirportRow>& rows) {
  const std::vector<importer::RunwayRow> runways;
  const std::map<std::string, std::string> countries;
  importer::ImportInput input{rows, runways, countries, "airports.csv", "runways.csv"};
  input.gazetteer = &madeUpGazetteer();
  return importer::buildDatabase(input, {"large_airport", "medium_airport", "small_airport"})
      .blocks;
}

const importer::AirportBlock& blockOf(const std::vector<importer::AirportBlock>& blocks,
                                      const std::string& icao) {
  for (const auto& block : blocks) {
    if (block.icao == icao) return block;
  }
  throw std::runtime_error("no block " + icao);
}

bool holds(const importer::AirportBlock& block, const char* utf8Key) {
  return importer::airportLine(block).find(" " + common::utf8ToCp1252(utf8Key) + " ") !=
         std::string::npos;
}

TEST(Gazetteer, AnAirportInASuburbGetsTheNamesOfItsCity) {
  const auto blocks =
      imported({airport("EHAM", "large_airport", "Haarlemmermeer", "NL", "52.3086", "4.7639"),
                airport("EHXX", "small_airport", "Haarlemmermeer", "NL", "52.31", "4.76")});
  const auto& schiphol = blockOf(blocks, "EHAM");
  EXPECT_TRUE(holds(schiphol, "AMSTERDAMO")) << importer::airportLine(schiphol);
  // The big city nearby is for the airports that serve a region.
  EXPECT_FALSE(holds(blockOf(blocks, "EHXX"), "AMSTERDAMO"));
  // The city's names are the main airport's to lead with.
  EXPECT_NE(std::find(schiphol.cityKeys.begin(), schiphol.cityKeys.end(), "AMSTERDAMO"),
            schiphol.cityKeys.end());
}

TEST(Gazetteer, KeepsCitiesOfOneNameInDifferentCountriesApart) {
  const auto blocks =
      imported({airport("LFPG", "large_airport", "Paris", "FR", "49.0128", "2.55"),
                airport("KPRX", "medium_airport", "Paris", "US", "33.6366", "-95.4508"),
                airport("KPUW", "medium_airport", "Pullman/Moscow", "US", "46.7439", "-117.11"),
                airport("UUEE", "large_airport", "Moscow", "RU", "55.9726", "37.4146")});
  EXPECT_TRUE(holds(blockOf(blocks, "LFPG"), "PARIGI"));
  EXPECT_FALSE(holds(blockOf(blocks, "KPRX"), "PARIGI"));
  EXPECT_TRUE(holds(blockOf(blocks, "UUEE"), "MOSCA"));
  EXPECT_TRUE(holds(blockOf(blocks, "UUEE"), "MOSKVA"));  // Москва as typed in Cyrillic
  EXPECT_FALSE(holds(blockOf(blocks, "KPUW"), "MOSCA"));  // Moscow, Idaho
}

TEST(Gazetteer, TakesNoCityOfTheNameFarAway) {
  // A "Paris" 400 km from Paris, France, is another place.
  const auto blocks = imported({airport("LFXX", "medium_airport", "Paris", "FR", "45.0", "0.5")});
  EXPECT_FALSE(holds(blockOf(blocks, "LFXX"), "PARIGI"));
}

TEST(Gazetteer, TheMainAirportOfACityIsItsMetropolitanCodesFirst) {
  // Zhukovsky has the longest runway and says Moscow too; MOW lists
  // Sheremetyevo first.
  auto zhukovsky = airport("UUBW", "large_airport", "Moscow", "RU", "55.5533", "38.15");
  auto sheremetyevo = airport("UUEE", "large_airport", "Moscow", "RU", "55.9726", "37.4146");
  const auto blocks = imported({zhukovsky, sheremetyevo});
  EXPECT_FALSE(blockOf(blocks, "UUEE").cityKeys.empty());
  EXPECT_TRUE(blockOf(blocks, "UUBW").cityKeys.empty());
  EXPECT_TRUE(holds(blockOf(blocks, "UUBW"), "MOW"));
  EXPECT_TRUE(holds(blockOf(blocks, "UUBW"), "MOSCA"));
}

TEST(InstalledGazetteer, NamesCitiesInItalianEnglishAndTheirOwnLanguages) {
  const importer::Gazetteer& gazetteer = importer::installedGazetteer();
  ASSERT_GT(gazetteer.size(), 20000u);
  const auto names = [&](const char* name, const char* country) {
    const auto city = gazetteer.cityNamed(common::utf8ToCp1252(name), country);
    return city ? gazetteer.city(*city).names : std::vector<std::string>();
  };
  const auto hasAll = [](const std::vector<std::string>& list,
                         std::initializer_list<const char*> wanted) {
    for (const char* name : wanted) {
      if (std::find(list.begin(), list.end(), name) == list.end()) return false;
    }
    return true;
  };
  EXPECT_TRUE(hasAll(names("London", "GB"), {"Londra", "London"}));
  EXPECT_TRUE(hasAll(names("Moscow", "RU"), {"Mosca", "Moscow", "Москва"}));
  EXPECT_TRUE(hasAll(names("Geneva", "CH"), {"Ginevra", "Genf", "Genève"}));
  EXPECT_TRUE(hasAll(names("Munich", "DE"), {"Monaco di Baviera", "München"}));
  EXPECT_TRUE(hasAll(names("Brussels", "BE"), {"Bruxelles", "Brussel"}));
  EXPECT_TRUE(hasAll(names("Athens", "GR"), {"Atene", "Αθήνα"}));
  // Matched by a name of the country's own language too.
  EXPECT_TRUE(hasAll(names("Warszawa", "PL"), {"Varsavia", "Warsaw"}));
}

}  // namespace

// SPDX-License-Identifier: MIT
// The cities an airport serves and the names it gets from them: a made-up
// gazetteer for the matching rules, the installed one for its languages.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "common/text1252.h"
#include "database_writer.h"
#include "geonames_source.h"
#include "importer.h"
#include "metro_codes.h"
#include "mo_catalogue.h"

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
      city("KH", 11.480, 104.940, 150000, {"Ta Khmau", "--"}),
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

// A name with nothing a search could find ("--", or a script with no Latin
// form) must not stand for an empty municipality or the empty part after
// "(POU SENCHEY)".
TEST(Gazetteer, AnEmptyNameNamesNoCity) {
  const auto blocks = imported(
      {airport("VDPP", "medium_airport", "Phnom Penh (Pou Senchey)", "KH", "11.5466", "104.844"),
       airport("VDXX", "small_airport", "", "KH", "11.49", "104.93")});
  EXPECT_FALSE(holds(blockOf(blocks, "VDPP"), "TA KHMAU")) << importer::airportLine(blocks[0]);
  EXPECT_FALSE(holds(blockOf(blocks, "VDXX"), "TA KHMAU"));
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

// A .mo file of the given byte order holding ids and translations.
std::string moFile(const std::vector<std::pair<std::string, std::string>>& entries,
                   bool bigEndian) {
  std::string bytes;
  const auto word = [&](std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
      const int shift = bigEndian ? 8 * (3 - i) : 8 * i;
      bytes += static_cast<char>((value >> shift) & 0xFF);
    }
  };
  const auto count = static_cast<std::uint32_t>(entries.size());
  const std::uint32_t originals = 28;
  const std::uint32_t translations = originals + 8 * count;
  std::uint32_t offset = translations + 8 * count;
  word(0x950412de);
  word(0);
  word(count);
  word(originals);
  word(translations);
  word(0);
  word(0);
  std::string strings;
  for (const bool translation : {false, true}) {
    for (const auto& [id, text] : entries) {
      const std::string& value = translation ? text : id;
      word(static_cast<std::uint32_t>(value.size()));
      word(offset + static_cast<std::uint32_t>(strings.size()));
      strings += value + '\0';
    }
  }
  return bytes + strings;
}

TEST(MoCatalogue, FindsTranslationsInEitherByteOrder) {
  for (const bool bigEndian : {false, true}) {
    // Ids out of order, as another tool than msgfmt may write them.
    const auto catalogue = importer::MoCatalogue::fromBytes(
        moFile({{"524901", "Mosca"}, {"2643743", "Londra"}, {"", "header"}}, bigEndian));
    EXPECT_EQ(catalogue.find("2643743").value_or(""), "Londra");
    EXPECT_EQ(catalogue.find("524901").value_or(""), "Mosca");
    EXPECT_FALSE(catalogue.find("3169070").has_value());
  }
}

TEST(MoCatalogue, IsEmptyForAFileThatIsNoCatalogue) {
  const std::string good = moFile({{"524901", "Mosca"}}, false);
  EXPECT_FALSE(importer::MoCatalogue::fromBytes(good).empty());
  EXPECT_TRUE(importer::MoCatalogue::fromBytes("").empty());
  EXPECT_TRUE(importer::MoCatalogue::fromBytes(std::string(64, 'x')).empty());
  // Cut anywhere, a catalogue reads as empty or whole, never past its end.
  for (std::size_t size = 0; size < good.size(); ++size) {
    const auto cut = importer::MoCatalogue::fromBytes(good.substr(0, size));
    EXPECT_TRUE(cut.empty() || cut.find("524901").has_value()) << size;
  }
  EXPECT_TRUE(importer::MoCatalogue::load("/nonexistent/geonames.mo").empty());
}

TEST(MetroCodes, ReadsTheTableAndPassesOverBrokenLines) {
  const auto codes = importer::parseMetroCodes(
      "# comment\r\nLON|London|GB|EGLL EGKK\r\nWAS|Washington;Washington D.C.|US|KIAD  KDCA\n"
      "BAD|no airports|XX|\nSHORT|London|GB\n\n");
  ASSERT_EQ(codes.size(), 2u);
  EXPECT_EQ(codes[0].code, "LON");
  EXPECT_EQ(codes[0].airports, (std::vector<std::string>{"EGLL", "EGKK"}));
  EXPECT_EQ(codes[1].cityNames, (std::vector<std::string>{"Washington", "Washington D.C."}));
  EXPECT_EQ(codes[1].airports, (std::vector<std::string>{"KIAD", "KDCA"}));
  // The table built in lists the codes travellers use.
  EXPECT_GE(importer::metroCodes().size(), 20u);
}

}  // namespace

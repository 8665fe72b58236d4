// SPDX-License-Identifier: MIT
#pragma once

// What the first click of the search button finds in a database: for each
// airport, whether its ICAO code and its IATA code, typed after start-up,
// show that airport; and which airport a city's name shows. Every search is
// the program's own (lookup/airport_search.h) on a freshly opened database,
// so the figures are what a user sees.

#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "common/error.h"
#include "ourairports_tables.h"

namespace importer {

struct ShownAirport {
  std::string icao;  // field 1, as Label2 shows it (Windows-1252)
  std::string name;
};

// What the first search for typed (Windows-1252, as the search box holds it)
// shows from the top of the database; nothing when it finds no airport or
// the file cannot be opened.
std::optional<ShownAirport> firstClick(const std::filesystem::path& databasePath,
                                       std::string_view typed);

struct CodeShare {
  std::size_t found = 0;  // shown on the first click
  std::size_t total = 0;
};

struct TypeShares {
  CodeShare icao;
  CodeShare iata;  // of the airports that have an IATA code
};

struct FirstClickMiss {
  std::string code;  // what was typed
  bool isIata = false;
  std::string airportIcao;  // the airport it should have shown
  std::string type;
  std::optional<ShownAirport> shown;
};

struct FirstClickReport {
  std::map<std::string, TypeShares> byType;  // "unknown" where the type table lacks an airport
  TypeShares all;
  std::vector<FirstClickMiss> misses;  // in file order
};

// The airport type by field-1 code, as the importer writes the rows.
std::map<std::string, std::string> typesByIcao(const std::vector<AirportRow>& rows);

// Every airport line of the database, or the system's reason when it
// cannot be opened.
common::Expected<FirstClickReport> measureFirstClicks(
    const std::filesystem::path& databasePath,
    const std::map<std::string, std::string>& typeByIcao);

struct CityCheck {
  std::string category;      // UTF-8, from the "## " line above it; empty before any
  std::string city;          // Windows-1252, as typed
  std::string expectedIcao;  // empty when the list names none
  std::optional<ShownAirport> shown;
  bool met() const { return expectedIcao.empty() || (shown && shown->icao == expectedIcao); }
};

// A city list in UTF-8, one "City|ICAO" or "City" per line, in any script;
// blank lines and lines starting with "#" are skipped, but a line "## Name"
// starts a category of the lines below it. Each city is searched as typed,
// blanks included.
std::vector<CityCheck> checkCities(const std::filesystem::path& databasePath,
                                   std::string_view cityList);

// The misses, then every city and what it shows, then the share met of
// each category.
void printReport(std::ostream& out, const FirstClickReport& report,
                 const std::vector<CityCheck>& cities);

}  // namespace importer

// SPDX-License-Identifier: MIT
#include "first_click_report.h"

#include <algorithm>
#include <utility>

#include "airport_conversion.h"
#include "common/text1252.h"
#include "lookup/airport_database.h"
#include "lookup/airport_line.h"
#include "lookup/airport_search.h"
#include "lookup/database_format.h"

namespace importer {
namespace {

struct ListedAirport {
  std::string icao;
  std::string iata;  // empty for lookup::format::kNoIataCode
};

common::Expected<std::vector<ListedAirport>> airportsOf(const std::filesystem::path& databasePath) {
  lookup::AirportDatabase database(databasePath);
  if (auto failure = database.open()) return *failure;
  std::vector<ListedAirport> airports;
  while (!database.atEnd()) {
    const lookup::Item item = database.readItem();
    const auto record = lookup::splitAirportLine(item.text);
    if (!record) continue;
    airports.push_back(
        {record->icao, record->iataCode == lookup::format::kNoIataCode ? "" : record->iataCode});
  }
  // A read that failed ends the list early: a short report would mislead.
  if (auto failure = database.readError()) return *failure;
  return airports;
}

void count(CodeShare& share, bool found) {
  ++share.total;
  if (found) ++share.found;
}

// "4973 of 5210 (95.4%)", the share rounded down so that 100% means all.
std::string shareText(const CodeShare& share) {
  std::string text = std::to_string(share.found) + " of " + std::to_string(share.total);
  if (share.total == 0) return text;
  const std::size_t tenths = share.found * 1000 / share.total;
  return text + " (" + std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + "%)";
}

std::string shownText(const std::optional<ShownAirport>& shown) {
  if (!shown) return "nothing";
  return common::cp1252ToUtf8(shown->icao + " " + shown->name);
}

std::string padded(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

}  // namespace

std::optional<ShownAirport> firstClick(const std::filesystem::path& databasePath,
                                       std::string_view typed) {
  lookup::AirportDatabase database(databasePath);
  if (database.open()) return std::nullopt;
  const lookup::SearchResult result = lookup::searchAirport(database, common::toUpper1252(typed));
  if (!result.airport) return std::nullopt;
  return ShownAirport{result.airport->record.icao, result.airport->record.airportName};
}

std::map<std::string, std::string> typesByIcao(const std::vector<AirportRow>& rows) {
  std::map<std::string, std::string> types;
  for (const AirportRow& row : rows) {
    const auto converted = convertAirport(row, {});
    if (converted.block) types.emplace(converted.block->icao, row.type);
  }
  return types;
}

common::Expected<FirstClickReport> measureFirstClicks(
    const std::filesystem::path& databasePath,
    const std::map<std::string, std::string>& typeByIcao) {
  const auto airports = airportsOf(databasePath);
  if (!airports) return airports.error();
  FirstClickReport report;
  for (const ListedAirport& airport : *airports) {
    const auto type = typeByIcao.find(airport.icao);
    const std::string typeName = type == typeByIcao.end() ? "unknown" : type->second;
    TypeShares& shares = report.byType[typeName];
    for (const bool isIata : {false, true}) {
      const std::string& code = isIata ? airport.iata : airport.icao;
      if (code.empty()) continue;
      const auto shown = firstClick(databasePath, code);
      const bool found = shown && shown->icao == airport.icao;
      count(isIata ? shares.iata : shares.icao, found);
      count(isIata ? report.all.iata : report.all.icao, found);
      if (!found) report.misses.push_back({code, isIata, airport.icao, typeName, shown});
    }
  }
  return report;
}

std::vector<CityCheck> checkCities(const std::filesystem::path& databasePath,
                                   std::string_view cityList) {
  std::vector<CityCheck> checks;
  std::string category;
  while (!cityList.empty()) {
    const std::size_t end = cityList.find('\n');
    std::string_view line = cityList.substr(0, end);
    cityList = end == std::string_view::npos ? std::string_view() : cityList.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.substr(0, 3) == "## ") category = line.substr(3);
    if (line.empty() || line.front() == '#') continue;
    const std::size_t bar = line.find('|');
    CityCheck check;
    check.category = category;
    check.city = common::toUpper1252(common::utf8ToCp1252(line.substr(0, bar)));
    if (bar != std::string_view::npos) check.expectedIcao = line.substr(bar + 1);
    check.shown = firstClick(databasePath, check.city);
    checks.push_back(std::move(check));
  }
  return checks;
}

void printReport(std::ostream& out, const FirstClickReport& report,
                 const std::vector<CityCheck>& cities) {
  constexpr std::size_t kColumn = 24;
  out << "First click from the top of the file\n"
      << padded("type", 16) << padded("ICAO code", kColumn) << "IATA code\n";
  const auto row = [&](const std::string& name, const TypeShares& shares) {
    out << padded(name, 16) << padded(shareText(shares.icao), kColumn) << shareText(shares.iata)
        << "\n";
  };
  for (const auto& [type, shares] : report.byType)
    row(type, shares);
  row("all", report.all);

  out << "\nMisses: " << report.misses.size() << "\n";
  for (const FirstClickMiss& miss : report.misses) {
    out << (miss.isIata ? "IATA " : "ICAO ") << common::cp1252ToUtf8(miss.code) << " of "
        << common::cp1252ToUtf8(miss.airportIcao) << " (" << miss.type << ") shows "
        << shownText(miss.shown) << "\n";
  }
  if (cities.empty()) return;
  std::size_t met = 0;
  out << "\nCities\n";
  for (const CityCheck& city : cities) {
    if (city.met()) ++met;
    out << common::cp1252ToUtf8(padded(city.city, 20)) << shownText(city.shown);
    if (!city.met()) out << "   expected " << city.expectedIcao;
    out << "\n";
  }
  out << met << " of " << cities.size() << " cities as expected\n";

  std::vector<std::pair<std::string, CodeShare>> categories;  // in the order of the list
  for (const CityCheck& city : cities) {
    if (city.category.empty()) continue;
    auto found = std::find_if(categories.begin(), categories.end(),
                              [&](const auto& entry) { return entry.first == city.category; });
    if (found == categories.end()) found = categories.insert(categories.end(), {city.category, {}});
    count(found->second, city.met());
  }
  if (categories.empty()) return;
  out << "\nBy category\n";
  for (const auto& [name, share] : categories)
    out << name << ": " << shareText(share) << "\n";
}

}  // namespace importer

// SPDX-License-Identifier: MIT
#include "city_names.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <unordered_map>

#include "text_folding.h"

namespace importer {
namespace {

int typeRank(const AirportBlock& block) {
  if (block.type == "large_airport") return 0;
  if (block.type == "medium_airport") return 1;
  return 2;
}

// Degrees from a coordinate field, "-9250000" -> -9.25.
double degrees(const std::string& field) {
  long millionths = 0;
  std::from_chars(field.data(), field.data() + field.size(), millionths);
  return static_cast<double>(millionths) / 1e6;
}

long longestRunwayFt(const AirportBlock& block) {
  long longest = 0;
  for (const RunwayEndLine& end : block.runways) {
    long length = 0;
    std::from_chars(end.lengthFt.data(), end.lengthFt.data() + end.lengthFt.size(), length);
    longest = std::max(longest, length);
  }
  return longest;
}

struct Serving {
  std::size_t block;
  bool namedByMunicipality;
};

// Lower is the better main airport.
auto mainAirportRank(const AirportBlock& block, bool namedByMunicipality) {
  return std::make_tuple(typeRank(block), !block.scheduledService, !namedByMunicipality,
                         -static_cast<long>(block.runways.size()), -longestRunwayFt(block),
                         block.ident);
}

// Each city's names as database text in every spelling (spellingVariants),
// made once however many airports serve the city. A name with a letter that
// has no Latin form is left out: a "?" in a key would be found by nothing
// typed.
class CityKeys {
 public:
  explicit CityKeys(const Gazetteer& gazetteer)
      : m_gazetteer(gazetteer), m_keys(gazetteer.size()) {}

  const std::vector<std::string>& of(std::uint32_t city) {
    std::optional<std::vector<std::string>>& keys = m_keys[city];
    if (!keys) {
      keys.emplace();
      for (const std::string& name : m_gazetteer.city(city).names) {
        const std::string text = databaseText(name);
        if (text.find('?') != std::string::npos) continue;
        for (std::string& variant : spellingVariants(text)) {
          if (std::find(keys->begin(), keys->end(), variant) == keys->end()) {
            keys->push_back(std::move(variant));
          }
        }
      }
    }
    return *keys;
  }

 private:
  const Gazetteer& m_gazetteer;
  std::vector<std::optional<std::vector<std::string>>> m_keys;
};

void addUnique(std::vector<std::string>& list, const std::string& text) {
  if (std::find(list.begin(), list.end(), text) == list.end()) list.push_back(text);
}

using CityToBlock = std::map<std::uint32_t, std::size_t>;

// The metropolitan code's airports get the code and the city's names as
// written in the table; the first of them present is the city's main one.
void applyMetroCode(const MetroCode& metro, const Gazetteer& gazetteer,
                    const std::unordered_map<std::string, std::size_t>& blockByIcao,
                    std::vector<AirportBlock>& blocks, std::vector<std::vector<ServedCity>>& served,
                    CityToBlock& metroMain) {
  std::optional<std::uint32_t> city;
  for (const std::string& name : metro.cityNames) {
    if (!city) city = gazetteer.cityNamed(databaseText(name), metro.countryCode);
  }
  bool first = true;
  for (const std::string& icao : metro.airports) {
    const auto found = blockByIcao.find(icao);
    if (found == blockByIcao.end()) continue;
    AirportBlock& block = blocks[found->second];
    addUnique(block.keys.codes, metro.code);
    for (const std::string& name : metro.cityNames)
      addNameVariants(block.keys, databaseText(name));
    if (first) {
      block.metroCode = metro.code;
      for (const std::string& name : metro.cityNames) {
        for (const std::string& variant : spellingVariants(databaseText(name)))
          addUnique(block.cityKeys, variant);
      }
    }
    first = false;
    if (!city) continue;
    metroMain.try_emplace(*city, found->second);
    auto& cities = served[found->second];
    if (std::none_of(cities.begin(), cities.end(),
                     [&](const ServedCity& s) { return s.city == *city; })) {
      cities.push_back({*city, true});
    }
  }
}

std::size_t mainAirport(const std::vector<Serving>& serving,
                        const std::vector<AirportBlock>& blocks) {
  return std::min_element(serving.begin(), serving.end(),
                          [&](const Serving& a, const Serving& b) {
                            return mainAirportRank(blocks[a.block], a.namedByMunicipality) <
                                   mainAirportRank(blocks[b.block], b.namedByMunicipality);
                          })
      ->block;
}

}  // namespace

void addCityNames(std::vector<AirportBlock>& blocks, const Gazetteer& gazetteer,
                  const std::vector<MetroCode>& metroCodes) {
  std::unordered_map<std::string, std::size_t> blockByIcao;
  for (std::size_t i = 0; i < blocks.size(); ++i)
    blockByIcao.emplace(blocks[i].icao, i);

  std::vector<std::vector<ServedCity>> served(blocks.size());
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    const AirportBlock& block = blocks[i];
    served[i] =
        gazetteer.citiesServedBy(block.municipality, block.countryCode, degrees(block.latitude),
                                 degrees(block.longitude), typeRank(block) <= 1);
  }
  CityToBlock metroMain;
  for (const MetroCode& metro : metroCodes)
    applyMetroCode(metro, gazetteer, blockByIcao, blocks, served, metroMain);

  CityKeys cityKeys(gazetteer);
  std::map<std::uint32_t, std::vector<Serving>> servingByCity;
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    AirportBlock& block = blocks[i];
    for (const ServedCity& city : served[i]) {
      const auto& keys = cityKeys.of(city.city);
      block.keys.names.insert(block.keys.names.end(), keys.begin(), keys.end());
      if (typeRank(block) <= 1) servingByCity[city.city].push_back({i, city.namedByMunicipality});
    }
    refreshSearchKeys(block);
    block.keys = {};
  }

  for (const auto& [city, serving] : servingByCity) {
    const auto listed = metroMain.find(city);
    const std::size_t main =
        listed != metroMain.end() ? listed->second : mainAirport(serving, blocks);
    for (const std::string& key : cityKeys.of(city))
      addUnique(blocks[main].cityKeys, key);
  }
}

}  // namespace importer

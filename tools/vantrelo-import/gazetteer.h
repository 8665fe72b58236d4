// SPDX-License-Identifier: MIT
#pragma once

// The cities of the world with their names in several languages, and which
// of them an airport serves: the city its municipality names, and for the
// airports that serve a region the big city nearest to them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace importer {

struct GazetteerCity {
  std::string countryCode;  // ISO 3166, "IT"
  double latitude = 0;
  double longitude = 0;
  std::uint32_t population = 0;
  // UTF-8, in order of worth: Italian, English, the languages of the
  // country; the first is what the city is known by in the file.
  std::vector<std::string> names;
};

struct ServedCity {
  std::uint32_t city;
  bool namedByMunicipality;  // else the big city nearest to the airport
};

class Gazetteer {
 public:
  Gazetteer() = default;
  explicit Gazetteer(std::vector<GazetteerCity> cities);

  // Cities within this of an airport may be served by it.
  static constexpr double kMunicipalityKm = 80;
  static constexpr double kAcrossBorderKm = 30;
  static constexpr double kNearbyBigCityKm = 50;
  static constexpr std::uint32_t kBigCityPopulation = 500000;

  // The cities an airport at latitude, longitude (degrees) in countryCode
  // serves: the one of that country whose name its municipality (database
  // text) gives, the nearest within kMunicipalityKm where several share the
  // name, or else the nearest of that name in another country within
  // kAcrossBorderKm; a municipality that names no city is taken in parts
  // ("BÂLE/MULHOUSE" in France serves Basel and Mulhouse); and, when
  // nearbyBigCity, the nearest city of that country of kBigCityPopulation
  // people or more within kNearbyBigCityKm. Each city once.
  std::vector<ServedCity> citiesServedBy(std::string_view municipality,
                                         std::string_view countryCode, double latitude,
                                         double longitude, bool nearbyBigCity) const;

  // The city of that country named so (database text), the most populous
  // where several are; nothing when none is.
  std::optional<std::uint32_t> cityNamed(std::string_view name, std::string_view countryCode) const;

  const GazetteerCity& city(std::uint32_t index) const { return m_cities[index]; }
  std::size_t size() const { return m_cities.size(); }

 private:
  std::optional<std::uint32_t> nearest(const std::vector<std::uint32_t>& candidates,
                                       double latitude, double longitude, double withinKm) const;
  // The nearest city of that name in the country within kMunicipalityKm,
  // else in any country within kAcrossBorderKm.
  std::optional<std::uint32_t> namedNear(std::string_view name, std::string_view countryCode,
                                         double latitude, double longitude) const;

  std::vector<GazetteerCity> m_cities;
  std::unordered_map<std::string, std::vector<std::uint32_t>> m_byName;  // "IT ROMA" -> cities
  std::unordered_map<std::string, std::vector<std::uint32_t>> m_bigByCountry;
};

// The form in which a municipality and a city name are compared: database
// text without accents, punctuation or repeated blanks ("Saint-Étienne" and
// "ST. ETIENNE" differ, "SAINT ETIENNE" and "Saint-Étienne" do not).
std::string comparableName(std::string_view cp1252Upper);

}  // namespace importer

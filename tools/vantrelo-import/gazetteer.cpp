// SPDX-License-Identifier: MIT
#include "gazetteer.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "common/text1252.h"
#include "text_folding.h"

namespace importer {
namespace {

double distanceKm(double lat1, double lon1, double lat2, double lon2) {
  constexpr double kRadians = 3.14159265358979 / 180;
  constexpr double kEarthKm = 6371;
  const double dLat = (lat2 - lat1) * kRadians;
  const double dLon = (lon2 - lon1) * kRadians;
  const double a = std::sin(dLat / 2) * std::sin(dLat / 2) +
                   std::cos(lat1 * kRadians) * std::cos(lat2 * kRadians) * std::sin(dLon / 2) *
                       std::sin(dLon / 2);
  return 2 * kEarthKm * std::asin(std::min(1.0, std::sqrt(a)));
}

std::string nameKey(std::string_view countryCode, std::string_view comparable) {
  return std::string(countryCode) + ' ' + std::string(comparable);
}

// "BUENOS AIRES (EZEIZA)", "BÂLE/MULHOUSE": the whole, then each part.
std::vector<std::string> municipalityForms(std::string_view municipality) {
  std::vector<std::string> forms{std::string(municipality)};
  std::string part;
  for (const char c : municipality) {
    if (c == '(' || c == ')' || c == '/' || c == ';') {
      forms.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (forms.size() > 1) forms.push_back(part);
  return forms;
}

}  // namespace

std::string comparableName(std::string_view cp1252Upper) {
  const std::string folded = common::toUpper1252(foldedText(cp1252Upper));
  std::string out;
  for (const char c : folded) {
    const auto byte = static_cast<unsigned char>(c);
    const bool word = (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || byte >= 0x80;
    if (word) {
      out += c;
    } else if (c != '\'' && c != '.' && !out.empty() && out.back() != ' ') {
      out += ' ';
    }
  }
  while (!out.empty() && out.back() == ' ')
    out.pop_back();
  return out;
}

Gazetteer::Gazetteer(std::vector<GazetteerCity> cities) : m_cities(std::move(cities)) {
  for (std::uint32_t index = 0; index < m_cities.size(); ++index) {
    const GazetteerCity& city = m_cities[index];
    std::vector<std::string> keys;
    for (const std::string& name : city.names) {
      const std::string comparable = comparableName(databaseText(name));
      if (comparable.empty()) continue;  // a name of marks alone matches nothing
      const std::string key = nameKey(city.countryCode, comparable);
      if (std::find(keys.begin(), keys.end(), key) == keys.end()) keys.push_back(key);
    }
    for (const std::string& key : keys) {
      m_byName[key].push_back(index);
      // The same name in any country, for airports beside a border.
      m_byName[nameKey("*", key.substr(key.find(' ') + 1))].push_back(index);
    }
    if (city.population >= kBigCityPopulation) m_bigByCountry[city.countryCode].push_back(index);
  }
}

std::optional<std::uint32_t> Gazetteer::nearest(const std::vector<std::uint32_t>& candidates,
                                                double latitude, double longitude,
                                                double withinKm) const {
  std::optional<std::uint32_t> best;
  double bestKm = withinKm;
  for (const std::uint32_t index : candidates) {
    const GazetteerCity& city = m_cities[index];
    const double km = distanceKm(latitude, longitude, city.latitude, city.longitude);
    if (km <= bestKm) {
      bestKm = km;
      best = index;
    }
  }
  return best;
}

std::optional<std::uint32_t> Gazetteer::namedNear(std::string_view name,
                                                  std::string_view countryCode, double latitude,
                                                  double longitude) const {
  const std::string comparable = comparableName(name);
  if (comparable.empty()) return std::nullopt;  // "(EZEIZA)" leaves an empty part after it
  for (const auto& [country, withinKm] :
       {std::pair<std::string_view, double>{countryCode, kMunicipalityKm},
        {"*", kAcrossBorderKm}}) {
    const auto named = m_byName.find(nameKey(country, comparable));
    if (named == m_byName.end()) continue;
    if (const auto city = nearest(named->second, latitude, longitude, withinKm)) return city;
  }
  return std::nullopt;
}

std::vector<ServedCity> Gazetteer::citiesServedBy(std::string_view municipality,
                                                  std::string_view countryCode, double latitude,
                                                  double longitude, bool nearbyBigCity) const {
  std::vector<ServedCity> served;
  const auto add = [&served](std::uint32_t city, bool namedByMunicipality) {
    if (std::none_of(served.begin(), served.end(),
                     [city](const ServedCity& s) { return s.city == city; })) {
      served.push_back({city, namedByMunicipality});
    }
  };
  // The whole municipality, or else each of its parts.
  const std::vector<std::string> forms = municipalityForms(municipality);
  for (std::size_t i = 0; i < forms.size(); ++i) {
    const auto city = namedNear(forms[i], countryCode, latitude, longitude);
    if (city) add(*city, true);
    if (city && i == 0) break;
  }
  const auto big = m_bigByCountry.find(std::string(countryCode));
  if (nearbyBigCity && big != m_bigByCountry.end()) {
    if (const auto city = nearest(big->second, latitude, longitude, kNearbyBigCityKm))
      add(*city, false);
  }
  return served;
}

std::optional<std::uint32_t> Gazetteer::cityNamed(std::string_view name,
                                                  std::string_view countryCode) const {
  const auto named = m_byName.find(nameKey(countryCode, comparableName(name)));
  if (named == m_byName.end()) return std::nullopt;
  return *std::max_element(named->second.begin(), named->second.end(),
                           [this](std::uint32_t a, std::uint32_t b) {
                             return m_cities[a].population < m_cities[b].population;
                           });
}

}  // namespace importer

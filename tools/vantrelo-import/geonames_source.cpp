// SPDX-License-Identifier: MIT
// libgeonames gives each city's English name, country, position and
// population, but only the name in the language of the process's locale.
// The other languages are the translations of the city's GeoNames id in the
// library's catalogues, read here directly: one per language, not one
// locale switch per language.

#include "geonames_source.h"

#include <geonames.h>
#include <libintl.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "mo_catalogue.h"
#include "territory_languages.h"

namespace importer {
namespace {

namespace fs = std::filesystem;

class Catalogues {
 public:
  Catalogues() {
    // Where the library's gettext looks for its catalogues.
    const char* bound = bindtextdomain("geonames", nullptr);
    m_localeDir = bound != nullptr ? bound : "/usr/share/locale";
  }

  // The catalogue of a language ("it") or of a language in a country
  // ("de_AT"); empty when not installed.
  const MoCatalogue& of(const std::string& name) {
    auto [it, added] = m_loaded.try_emplace(name);
    if (added) it->second = MoCatalogue::load(m_localeDir / name / "LC_MESSAGES" / "geonames.mo");
    return it->second;
  }

 private:
  fs::path m_localeDir;
  std::map<std::string, MoCatalogue> m_loaded;
};

// The GeoNames id of a city. The library's city is a GVariant whose first
// member is the id; a library of another layout gives none, and the cities
// then keep their English names only.
std::optional<std::string> geonamesId(GeonamesCity* city) {
  if (!g_variant_is_of_type(city, G_VARIANT_TYPE("(sssssssudd)"))) return std::nullopt;
  const gchar* id = nullptr;
  g_variant_get_child(city, 0, "&s", &id);
  if (id == nullptr) return std::nullopt;
  return std::string(id);
}

std::vector<std::string> languagesFor(const std::string& countryCode,
                                      std::map<std::string, std::vector<std::string>>& cache) {
  auto [it, added] = cache.try_emplace(countryCode);
  if (added) it->second = territoryLanguages(countryCode);
  return it->second;
}

Gazetteer load() {
  Catalogues catalogues;
  std::map<std::string, std::vector<std::string>> languagesByCountry;
  std::vector<GazetteerCity> cities;
  const gint count = geonames_get_n_cities();
  cities.reserve(static_cast<std::size_t>(std::max(count, 0)));
  for (gint index = 0; index < count; ++index) {
    GeonamesCity* source = geonames_get_city(index);
    if (source == nullptr) continue;
    GazetteerCity city;
    city.countryCode = geonames_city_get_country_code(source);
    city.latitude = geonames_city_get_latitude(source);
    city.longitude = geonames_city_get_longitude(source);
    city.population = geonames_city_get_population(source);
    // The process never sets a locale, so this is the English name.
    const std::string english = geonames_city_get_name(source);
    const auto id = geonamesId(source);
    geonames_city_free(source);

    const auto add = [&city](std::string_view name) {
      if (!name.empty() &&
          std::find(city.names.begin(), city.names.end(), name) == city.names.end()) {
        city.names.emplace_back(name);
      }
    };
    const auto translated = [&](const std::string& catalogue) {
      if (!id) return;
      if (const auto name = catalogues.of(catalogue).find(*id)) add(*name);
    };
    translated("it");
    add(english);
    for (const std::string& language : languagesFor(city.countryCode, languagesByCountry)) {
      translated(language + "_" + city.countryCode);
      translated(language);
    }
    cities.push_back(std::move(city));
  }
  return Gazetteer(std::move(cities));
}

}  // namespace

const Gazetteer& installedGazetteer() {
  static const Gazetteer gazetteer = load();
  return gazetteer;
}

}  // namespace importer

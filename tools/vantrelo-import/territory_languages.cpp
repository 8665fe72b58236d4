// SPDX-License-Identifier: MIT
#include "territory_languages.h"

#include <unicode/uloc.h>
#include <unicode/ures.h>

#include <algorithm>
#include <memory>
#include <utility>

namespace importer {
namespace {

struct BundleCloser {
  void operator()(UResourceBundle* bundle) const { ures_close(bundle); }
};
using Bundle = std::unique_ptr<UResourceBundle, BundleCloser>;

Bundle child(const UResourceBundle* parent, const char* key) {
  UErrorCode status = U_ZERO_ERROR;
  Bundle result(ures_getByKey(parent, key, nullptr, &status));
  if (U_FAILURE(status)) return nullptr;
  return result;
}

std::string stringOf(const UResourceBundle* bundle) {
  UErrorCode status = U_ZERO_ERROR;
  int32_t length = 0;
  const UChar* text = ures_getString(bundle, &length, &status);
  if (U_FAILURE(status)) return {};
  return std::string(text, text + length);  // ASCII words: "official"
}

std::string likelyLanguage(std::string_view countryCode) {
  const std::string tag = "und_" + std::string(countryCode);
  char full[ULOC_FULLNAME_CAPACITY];
  UErrorCode status = U_ZERO_ERROR;
  uloc_addLikelySubtags(tag.c_str(), full, sizeof full, &status);
  if (U_FAILURE(status)) return {};
  char language[ULOC_LANG_CAPACITY];
  uloc_getLanguage(full, language, sizeof language, &status);
  if (U_FAILURE(status) || std::string_view(language) == "und") return {};
  return language;
}

}  // namespace

std::vector<std::string> territoryLanguages(std::string_view countryCode) {
  std::vector<std::pair<int32_t, std::string>> official;  // share, language
  UErrorCode status = U_ZERO_ERROR;
  const Bundle supplemental(ures_openDirect(nullptr, "supplementalData", &status));
  const std::string code(countryCode);
  if (U_SUCCESS(status)) {
    const Bundle territories = child(supplemental.get(), "territoryInfo");
    const Bundle territory = territories ? child(territories.get(), code.c_str()) : nullptr;
    const int32_t count = territory ? ures_getSize(territory.get()) : 0;
    for (int32_t i = 0; i < count; ++i) {
      status = U_ZERO_ERROR;
      const Bundle language(ures_getByIndex(territory.get(), i, nullptr, &status));
      if (U_FAILURE(status) || ures_getType(language.get()) != URES_TABLE) continue;
      const Bundle statusField = child(language.get(), "officialStatus");
      const std::string standing = statusField ? stringOf(statusField.get()) : "";
      if (standing != "official" && standing != "de_facto_official") continue;
      const Bundle share = child(language.get(), "populationShareF");
      status = U_ZERO_ERROR;
      const int32_t shareValue = share ? ures_getInt(share.get(), &status) : 0;
      official.emplace_back(shareValue, ures_getKey(language.get()));
    }
  }
  // More speakers first; CLDR's encoded shares keep their order as numbers.
  std::stable_sort(official.begin(), official.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<std::string> languages;
  const auto add = [&languages](std::string language) {
    // "zh_Hant": the catalogues are by language and country, not script.
    language = language.substr(0, language.find('_'));
    if (!language.empty() &&
        std::find(languages.begin(), languages.end(), language) == languages.end()) {
      languages.push_back(std::move(language));
    }
  };
  for (auto& [share, language] : official)
    add(std::move(language));
  add(likelyLanguage(countryCode));
  return languages;
}

}  // namespace importer

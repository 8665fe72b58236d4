// SPDX-License-Identifier: MIT
#pragma once

// Which languages a country names its cities in, from the CLDR data that
// ICU carries.

#include <string>
#include <string_view>
#include <vector>

namespace importer {

// The official and de facto official languages of a territory ("CH" -> de,
// fr, it), the most spoken first, and the most likely language that CLDR
// adds. Language codes as ICU writes them ("zh", "pt").
std::vector<std::string> territoryLanguages(std::string_view countryCode);

}  // namespace importer

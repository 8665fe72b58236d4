// SPDX-License-Identifier: MIT
#pragma once

// The IATA metropolitan area codes of data/metro-codes.txt, built into the
// importer: LON for the airports of London, Heathrow first.

#include <string>
#include <string_view>
#include <vector>

namespace importer {

struct MetroCode {
  std::string code;                    // "LON"
  std::vector<std::string> cityNames;  // UTF-8; one of them as the gazetteer names it in English
  std::string countryCode;             // "GB"
  std::vector<std::string> airports;   // ICAO codes, the city's main airport first
};

// "code|city|country|ICAO ICAO ..." lines; "#" starts a comment line, and
// a line without four fields is passed over.
std::vector<MetroCode> parseMetroCodes(std::string_view text);

// The table built in.
const std::vector<MetroCode>& metroCodes();

}  // namespace importer

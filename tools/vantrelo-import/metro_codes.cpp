// SPDX-License-Identifier: MIT
#include "metro_codes.h"

namespace importer {

extern const char* const kMetroCodesText;  // data/metro-codes.txt, made by the build

namespace {

std::vector<std::string> split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  while (true) {
    const std::size_t end = text.find(separator);
    parts.emplace_back(text.substr(0, end));
    if (end == std::string_view::npos) return parts;
    text.remove_prefix(end + 1);
  }
}

}  // namespace

std::vector<MetroCode> parseMetroCodes(std::string_view text) {
  std::vector<MetroCode> codes;
  for (std::string& line : split(text, '\n')) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line.front() == '#') continue;
    const std::vector<std::string> fields = split(line, '|');
    if (fields.size() != 4 || fields[0].empty()) continue;
    MetroCode code{fields[0], split(fields[1], ';'), fields[2], {}};
    for (std::string& airport : split(fields[3], ' ')) {
      if (!airport.empty()) code.airports.push_back(std::move(airport));
    }
    if (!code.airports.empty()) codes.push_back(std::move(code));
  }
  return codes;
}

const std::vector<MetroCode>& metroCodes() {
  static const std::vector<MetroCode> codes = parseMetroCodes(kMetroCodesText);
  return codes;
}

}  // namespace importer

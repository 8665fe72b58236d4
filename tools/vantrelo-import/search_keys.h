// SPDX-License-Identifier: MIT
#pragma once

// Field 0 of an airport line: the codes and names a search should find the
// airport by, beyond what the line shows in its own fields.

#include <string>
#include <vector>

namespace importer {

struct KeyList {
  std::vector<std::string> codes;  // ICAO, IATA, ident, GPS and local codes: always kept
  std::vector<std::string> names;  // in order of worth: the first ones stay when space runs short
};

// Adds every spelling people type of a name (spellingVariants).
void addNameVariants(KeyList& keys, const std::string& name);

// The keys separated by one blank, each once: codes first, then the names
// that no other key or shown field already holds ("KLOTEN" adds nothing
// beside "ZURICH KLOTEN"). Keys without a letter or a digit are left out.
std::string searchKeysText(const KeyList& keys, const std::vector<std::string>& shownFields);

}  // namespace importer

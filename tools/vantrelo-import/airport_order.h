// SPDX-License-Identifier: MIT
#pragma once

// The order of the blocks in airports.txt. The search shows the first line
// holding the typed text, so the order decides which airport a first click
// finds: "first-click" puts the airport meant first, "ident" sorts by ident.
//
// First-click order: airports by importance (large, medium, small, seaplane
// base, heliport, balloon port; then airports with scheduled service; then
// the longest runway; then the ident), and each airport ahead of every other
// airport whose line holds one of its keys: its ICAO code, its IATA code,
// and for the main airport of a city (city_names.h) the city's metropolitan
// code and names; a municipality that names no such city is led by its most
// important large or medium airport. The keys conflict (a three-letter code
// hides in many names), so the wishes are granted in order of priority,
// each whole or not at all, and one that would contradict those already
// granted is dropped: for each kind of airport in turn, the ICAO codes, the
// IATA codes, the metropolitan codes, then the city names, and within each
// the key held by the fewest other lines first (then the more important
// airport). The blocks then follow every granted wish, with importance
// deciding wherever the wishes leave a choice.

#include <optional>
#include <string_view>
#include <vector>

#include "airport_conversion.h"

namespace importer {

enum class BlockOrder { FirstClick, Ident };

// "first-click" or "ident"; nothing for another text.
std::optional<BlockOrder> parseBlockOrder(std::string_view text);

// Sorts blocks by ident, keeping the file order of equal idents.
void sortByIdent(std::vector<AirportBlock>& blocks);

// Puts blocks in the given order. Every block keeps its runways.
void orderBlocks(std::vector<AirportBlock>& blocks, BlockOrder order);

}  // namespace importer

// SPDX-License-Identifier: MIT
#include "airport_order.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <numeric>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "database_writer.h"
#include "importer.h"
#include "key_matcher.h"
#include "lookup/database_format.h"
#include "text_folding.h"
#include "wish_graph.h"

namespace importer {
namespace {

enum class KeyKind { Icao, Iata, Metro, City };
constexpr int kKeyKinds = 4;
// A city name shorter than this is inside too many lines to be worth a wish.
constexpr std::size_t kShortestCityKey = 3;

int typeRank(const std::string& type) {
  const std::vector<std::string>& types = knownAirportTypes();
  return static_cast<int>(std::find(types.begin(), types.end(), type) - types.begin());
}

long longestRunwayFt(const AirportBlock& block) {
  long longest = 0;
  for (const RunwayEndLine& end : block.runways) {
    long length = 0;
    const char* const first = end.lengthFt.data();
    std::from_chars(first, first + end.lengthFt.size(), length);
    longest = std::max(longest, length);
  }
  return longest;
}

// Block indexes, most important first.
std::vector<std::uint32_t> byImportance(const std::vector<AirportBlock>& blocks) {
  struct Standing {
    int typeRank;
    bool scheduled;
    long runwayFt;
  };
  std::vector<Standing> standing;
  standing.reserve(blocks.size());
  for (const AirportBlock& block : blocks) {
    standing.push_back({typeRank(block.type), block.scheduledService, longestRunwayFt(block)});
  }
  std::vector<std::uint32_t> indexes(blocks.size());
  std::iota(indexes.begin(), indexes.end(), 0u);
  std::sort(indexes.begin(), indexes.end(), [&](std::uint32_t a, std::uint32_t b) {
    const Standing& x = standing[a];
    const Standing& y = standing[b];
    if (x.typeRank != y.typeRank) return x.typeRank < y.typeRank;
    if (x.scheduled != y.scheduled) return x.scheduled;
    if (x.runwayFt != y.runwayFt) return x.runwayFt > y.runwayFt;
    return blocks[a].ident < blocks[b].ident;
  });
  return indexes;
}

struct Wish {
  int priority;         // lower first
  std::uint32_t node;   // the airport by importance, 0 the most important
  std::uint32_t keyId;  // into the distinct keys
};

class WishList {
 public:
  void add(int priority, std::uint32_t node, const std::string& key) {
    const auto [it, added] = m_keyIds.try_emplace(key, static_cast<std::uint32_t>(m_keys.size()));
    if (added) m_keys.push_back(key);
    m_wishes.push_back({priority, node, it->second});
  }
  const std::vector<std::string>& keys() const { return m_keys; }
  std::vector<Wish>& wishes() { return m_wishes; }

 private:
  std::unordered_map<std::string, std::uint32_t> m_keyIds;
  std::vector<std::string> m_keys;
  std::vector<Wish> m_wishes;
};

// blocks are taken by importance: node i is blocks[ranked[i]].
WishList wishesOf(const std::vector<AirportBlock>& blocks,
                  const std::vector<std::uint32_t>& ranked) {
  WishList list;
  // The names of a city go to its main airport (city_names.h); a
  // municipality no such name gives is led by its first airport by importance.
  std::unordered_set<std::string> citiesLed;
  for (const AirportBlock& block : blocks)
    citiesLed.insert(block.cityKeys.begin(), block.cityKeys.end());
  for (std::uint32_t node = 0; node < ranked.size(); ++node) {
    const AirportBlock& block = blocks[ranked[node]];
    const int rank = typeRank(block.type);
    const auto priority = [rank](KeyKind kind) {
      return rank * kKeyKinds + static_cast<int>(kind);
    };
    list.add(priority(KeyKind::Icao), node, block.icao);
    if (block.iataCode != lookup::format::kNoIataCode && !block.iataCode.empty())
      list.add(priority(KeyKind::Iata), node, block.iataCode);
    // A metropolitan code is typed like an airport's own.
    if (!block.metroCode.empty()) list.add(priority(KeyKind::Metro), node, block.metroCode);
    for (const std::string& key : block.cityKeys) {
      if (key.size() >= kShortestCityKey) list.add(priority(KeyKind::City), node, key);
    }
    const bool mayLeadCity = rank <= typeRank("medium_airport");
    if (mayLeadCity && block.municipality.size() >= kShortestCityKey &&
        citiesLed.insert(block.municipality).second) {
      list.add(priority(KeyKind::City), node, block.municipality);
      // Typed without accents the name finds the plain form in field 0.
      const std::string plain = foldedText(block.municipality);
      if (plain != block.municipality) list.add(priority(KeyKind::City), node, plain);
    }
  }
  return list;
}

// For each key, the nodes whose airport line holds it.
std::vector<std::vector<std::uint32_t>> holdersOfKeys(const std::vector<AirportBlock>& blocks,
                                                      const std::vector<std::uint32_t>& ranked,
                                                      const std::vector<std::string>& keys) {
  const KeyMatcher matcher(keys);
  std::vector<std::vector<std::uint32_t>> holders(keys.size());
  for (std::uint32_t node = 0; node < ranked.size(); ++node) {
    for (const std::uint32_t key : matcher.keysIn(airportLine(blocks[ranked[node]])))
      holders[key].push_back(node);
  }
  return holders;
}

std::vector<std::uint32_t> firstClickOrder(const std::vector<AirportBlock>& blocks) {
  const std::vector<std::uint32_t> ranked = byImportance(blocks);
  WishList list = wishesOf(blocks, ranked);
  const auto holders = holdersOfKeys(blocks, ranked, list.keys());
  // Of wishes of one rank, those touching fewer lines first: a code inside
  // thousands of names would otherwise shut out the many wishes after it.
  std::stable_sort(list.wishes().begin(), list.wishes().end(), [&](const Wish& a, const Wish& b) {
    if (a.priority != b.priority) return a.priority < b.priority;
    return holders[a.keyId].size() < holders[b.keyId].size();
  });
  WishGraph graph(blocks.size());
  std::vector<std::uint32_t> others;
  for (const Wish& wish : list.wishes()) {
    others.clear();
    for (const std::uint32_t node : holders[wish.keyId]) {
      if (node != wish.node) others.push_back(node);
    }
    if (!others.empty()) graph.accept(wish.node, others);
  }
  std::vector<std::uint32_t> order = graph.order();
  for (std::uint32_t& node : order)
    node = ranked[node];
  return order;
}

}  // namespace

std::optional<BlockOrder> parseBlockOrder(std::string_view text) {
  if (text == "first-click") return BlockOrder::FirstClick;
  if (text == "ident") return BlockOrder::Ident;
  return std::nullopt;
}

namespace {

// Puts blocks[order[i]] at place i, moving each block once along the
// permutation's cycles: a second vector of blocks would double the largest
// thing the importer holds.
void permute(std::vector<AirportBlock>& blocks, std::vector<std::uint32_t> order) {
  for (std::uint32_t start = 0; start < order.size(); ++start) {
    if (order[start] == start) continue;
    AirportBlock first = std::move(blocks[start]);
    std::uint32_t place = start;
    while (order[place] != start) {
      const std::uint32_t from = order[place];
      blocks[place] = std::move(blocks[from]);
      order[place] = place;
      place = from;
    }
    blocks[place] = std::move(first);
    order[place] = place;
  }
}

}  // namespace

void sortByIdent(std::vector<AirportBlock>& blocks) {
  std::vector<std::uint32_t> order(blocks.size());
  std::iota(order.begin(), order.end(), 0U);
  std::stable_sort(order.begin(), order.end(), [&blocks](std::uint32_t a, std::uint32_t b) {
    return blocks[a].ident < blocks[b].ident;
  });
  permute(blocks, std::move(order));
}

void orderBlocks(std::vector<AirportBlock>& blocks, BlockOrder order) {
  sortByIdent(blocks);
  if (order == BlockOrder::Ident) return;
  permute(blocks, firstClickOrder(blocks));
}

}  // namespace importer

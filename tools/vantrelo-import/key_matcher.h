// SPDX-License-Identifier: MIT
#pragma once

// Which of many keys a text contains, all keys at once in one pass over the
// text (an Aho-Corasick automaton over bytes). The order needs this for
// every airport line against every code and city name: tens of thousands of
// each on a full OurAirports download.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace importer {

class KeyMatcher {
 public:
  // Empty keys are never found.
  explicit KeyMatcher(const std::vector<std::string>& keys);

  // The indexes (into the keys given) of the keys that occur in text, each
  // once, in no particular order.
  std::vector<std::uint32_t> keysIn(std::string_view text) const;

 private:
  static constexpr std::uint32_t kNone = UINT32_MAX;

  struct Node {
    std::uint32_t fail = 0;            // longest proper suffix that is also a trie node
    std::uint32_t nextOutput = kNone;  // nearest node down the fail chain where a key ends
    std::vector<std::uint32_t> keys;   // keys ending exactly here
  };

  std::uint32_t child(std::uint32_t node, unsigned char byte) const;
  std::uint32_t step(std::uint32_t node, unsigned char byte) const;
  void linkFailures();

  std::vector<Node> m_nodes;
  std::unordered_map<std::uint64_t, std::uint32_t> m_children;  // (node << 8 | byte) -> node
  std::array<std::uint32_t, 256> m_fromRoot{};  // the root's moves, where most steps end
};

}  // namespace importer

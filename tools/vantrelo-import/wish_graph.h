// SPDX-License-Identifier: MIT
#pragma once

// Wishes of the form "this node before those nodes", accepted one at a time
// and only while they leave the graph free of cycles, and an order that
// grants every accepted wish.
//
// Checking a wish for a cycle by a plain search costs time in proportion to
// the whole graph; instead the graph keeps one order that grants every wish
// accepted so far and searches only the stretch of it that a new wish would
// turn round (the incremental topological order of Pearce and Kelly). A wish
// that agrees with that order costs nothing.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace importer {

class WishGraph {
 public:
  // Nodes are numbered 0 to nodeCount - 1.
  explicit WishGraph(std::size_t nodeCount);

  // Accepts "before ahead of each of after" unless that would close a cycle
  // with the wishes accepted so far; then nothing changes. after must not
  // hold before itself.
  bool accept(std::uint32_t before, const std::vector<std::uint32_t>& after);

  // Every node once, each behind all nodes it was wished behind; of the
  // nodes free to come next, the lowest number comes first.
  std::vector<std::uint32_t> order() const;

 private:
  bool reachesWithin(const std::vector<std::uint32_t>& starts, std::uint32_t target,
                     std::vector<std::uint32_t>& reached);
  void collectAncestorsAbove(std::uint32_t node, std::uint32_t lowest,
                             std::vector<std::uint32_t>& ancestors);
  void renumber(std::vector<std::uint32_t>& ahead, std::vector<std::uint32_t>& behind);

  std::vector<std::vector<std::uint32_t>> m_after;   // accepted wishes, node -> nodes behind it
  std::vector<std::vector<std::uint32_t>> m_before;  // the same, node -> nodes ahead of it
  std::vector<std::uint32_t> m_position;             // an order granting every accepted wish
  std::vector<std::uint32_t> m_seen;                 // visit marks, compared with m_visit
  std::uint32_t m_visit = 0;
};

}  // namespace importer

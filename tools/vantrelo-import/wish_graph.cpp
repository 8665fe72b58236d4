// SPDX-License-Identifier: MIT
#include "wish_graph.h"

#include <algorithm>
#include <functional>
#include <queue>
#include <stdexcept>

namespace importer {

WishGraph::WishGraph(std::size_t nodeCount)
    : m_after(nodeCount), m_before(nodeCount), m_position(nodeCount), m_seen(nodeCount, 0) {
  for (std::uint32_t node = 0; node < nodeCount; ++node)
    m_position[node] = node;
}

bool WishGraph::accept(std::uint32_t before, const std::vector<std::uint32_t>& after) {
  // Only nodes now ahead of before can lead back to it.
  std::vector<std::uint32_t> turned;
  for (const std::uint32_t node : after) {
    if (m_position[node] < m_position[before]) turned.push_back(node);
  }
  if (!turned.empty()) {
    std::vector<std::uint32_t> behind;
    if (reachesWithin(turned, before, behind)) return false;
    std::uint32_t lowest = m_position[turned.front()];
    for (const std::uint32_t node : turned)
      lowest = std::min(lowest, m_position[node]);
    std::vector<std::uint32_t> ahead;
    collectAncestorsAbove(before, lowest, ahead);
    renumber(ahead, behind);
  }
  for (const std::uint32_t node : after) {
    m_after[before].push_back(node);
    m_before[node].push_back(before);
  }
  return true;
}

// Depth-first from starts through nodes placed ahead of target; true when
// target is reached. reached gets every node visited.
bool WishGraph::reachesWithin(const std::vector<std::uint32_t>& starts, std::uint32_t target,
                              std::vector<std::uint32_t>& reached) {
  const std::uint32_t limit = m_position[target];
  ++m_visit;
  std::vector<std::uint32_t> stack = starts;
  while (!stack.empty()) {
    const std::uint32_t node = stack.back();
    stack.pop_back();
    if (m_seen[node] == m_visit) continue;
    m_seen[node] = m_visit;
    reached.push_back(node);
    for (const std::uint32_t next : m_after[node]) {
      if (next == target) return true;
      if (m_seen[next] != m_visit && m_position[next] < limit) stack.push_back(next);
    }
  }
  return false;
}

// node and the nodes wished ahead of it, directly or not, placed behind lowest.
void WishGraph::collectAncestorsAbove(std::uint32_t node, std::uint32_t lowest,
                                      std::vector<std::uint32_t>& ancestors) {
  ++m_visit;
  std::vector<std::uint32_t> stack{node};
  while (!stack.empty()) {
    const std::uint32_t current = stack.back();
    stack.pop_back();
    if (m_seen[current] == m_visit) continue;
    m_seen[current] = m_visit;
    ancestors.push_back(current);
    for (const std::uint32_t previous : m_before[current]) {
      if (m_seen[previous] != m_visit && m_position[previous] > lowest) stack.push_back(previous);
    }
  }
}

// Gives the positions the two groups hold between them to ahead first, then
// behind, each group keeping its own order.
void WishGraph::renumber(std::vector<std::uint32_t>& ahead, std::vector<std::uint32_t>& behind) {
  const auto byPosition = [this](std::uint32_t a, std::uint32_t b) {
    return m_position[a] < m_position[b];
  };
  std::sort(ahead.begin(), ahead.end(), byPosition);
  std::sort(behind.begin(), behind.end(), byPosition);
  std::vector<std::uint32_t> slots;
  slots.reserve(ahead.size() + behind.size());
  for (const auto* group : {&ahead, &behind}) {
    for (const std::uint32_t node : *group)
      slots.push_back(m_position[node]);
  }
  std::sort(slots.begin(), slots.end());
  std::size_t slot = 0;
  for (const auto* group : {&ahead, &behind}) {
    for (const std::uint32_t node : *group)
      m_position[node] = slots[slot++];
  }
}

std::vector<std::uint32_t> WishGraph::order() const {
  std::vector<std::size_t> waitingFor(m_after.size(), 0);
  for (const auto& nodes : m_after) {
    for (const std::uint32_t node : nodes)
      ++waitingFor[node];
  }
  std::priority_queue<std::uint32_t, std::vector<std::uint32_t>, std::greater<>> free;
  for (std::uint32_t node = 0; node < m_after.size(); ++node) {
    if (waitingFor[node] == 0) free.push(node);
  }
  std::vector<std::uint32_t> result;
  result.reserve(m_after.size());
  while (!free.empty()) {
    const std::uint32_t node = free.top();
    free.pop();
    result.push_back(node);
    for (const std::uint32_t next : m_after[node]) {
      if (--waitingFor[next] == 0) free.push(next);
    }
  }
  // accept() lets no cycle in; a node left over would be lost from the file.
  if (result.size() != m_after.size()) throw std::logic_error("wish graph holds a cycle");
  return result;
}

}  // namespace importer

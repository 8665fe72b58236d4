// SPDX-License-Identifier: MIT
#include "key_matcher.h"

#include <algorithm>
#include <deque>

namespace importer {
namespace {

std::uint64_t edge(std::uint32_t node, unsigned char byte) {
  return (std::uint64_t{node} << 8) | byte;
}

}  // namespace

KeyMatcher::KeyMatcher(const std::vector<std::string>& keys) : m_nodes(1) {
  for (std::uint32_t k = 0; k < keys.size(); ++k) {
    if (keys[k].empty()) continue;
    std::uint32_t node = 0;
    for (const char c : keys[k]) {
      const auto [it, added] = m_children.try_emplace(edge(node, static_cast<unsigned char>(c)),
                                                      static_cast<std::uint32_t>(m_nodes.size()));
      if (added) m_nodes.emplace_back();
      node = it->second;
    }
    m_nodes[node].keys.push_back(k);
  }
  for (unsigned byte = 0; byte < m_fromRoot.size(); ++byte) {
    const std::uint32_t next = child(0, static_cast<unsigned char>(byte));
    m_fromRoot[byte] = next == kNone ? 0 : next;
  }
  linkFailures();
}

std::uint32_t KeyMatcher::child(std::uint32_t node, unsigned char byte) const {
  const auto it = m_children.find(edge(node, byte));
  return it == m_children.end() ? kNone : it->second;
}

std::uint32_t KeyMatcher::step(std::uint32_t node, unsigned char byte) const {
  for (; node != 0; node = m_nodes[node].fail) {
    const std::uint32_t next = child(node, byte);
    if (next != kNone) return next;
  }
  return m_fromRoot[byte];
}

// Breadth first, so that a node's fail target is finished before the node.
void KeyMatcher::linkFailures() {
  std::vector<std::vector<std::pair<unsigned char, std::uint32_t>>> children(m_nodes.size());
  for (const auto& [key, node] : m_children)
    children[key >> 8].emplace_back(static_cast<unsigned char>(key & 0xFF), node);
  std::deque<std::uint32_t> queue;
  for (const auto& [byte, node] : children[0])
    queue.push_back(node);  // depth one fails to the root, as constructed
  while (!queue.empty()) {
    const std::uint32_t parent = queue.front();
    queue.pop_front();
    for (const auto& [byte, node] : children[parent]) {
      const std::uint32_t fail = step(m_nodes[parent].fail, byte);
      m_nodes[node].fail = fail;
      m_nodes[node].nextOutput = m_nodes[fail].keys.empty() ? m_nodes[fail].nextOutput : fail;
      queue.push_back(node);
    }
  }
}

std::vector<std::uint32_t> KeyMatcher::keysIn(std::string_view text) const {
  std::vector<std::uint32_t> found;
  std::uint32_t node = 0;
  for (const char c : text) {
    node = step(node, static_cast<unsigned char>(c));
    for (std::uint32_t out = m_nodes[node].keys.empty() ? m_nodes[node].nextOutput : node;
         out != kNone; out = m_nodes[out].nextOutput) {
      found.insert(found.end(), m_nodes[out].keys.begin(), m_nodes[out].keys.end());
    }
  }
  std::sort(found.begin(), found.end());
  found.erase(std::unique(found.begin(), found.end()), found.end());
  return found;
}

}  // namespace importer

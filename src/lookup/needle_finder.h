// SPDX-License-Identifier: MIT
#pragma once

// Searching the database's read buffer as it comes from the file, before it
// is cut into items. The search does not look at item bounds at all; the
// caller finds the bounds (item_bounds.h) only around a hit, so the cost per
// byte is one pass of a vector filter.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "lookup/database_format.h"

namespace lookup {

// The machine code a NeedleFinder runs. Tests pick each one in turn; the
// program always takes the best the processor has.
enum class FinderLevel {
  Portable,  // memchr on the rarest byte, then a whole compare
  Sse2,      // two-byte filter, 16 positions at a time
  Avx2,      // two-byte filter, 32 positions at a time
};

// The best level this processor runs.
FinderLevel bestFinderLevel();

// Finds a fixed text in blocks of bytes. Candidate positions come from a
// filter on two bytes of the text, those rarest in airport databases (digits,
// "|" and spaces are everywhere, Q, X and Z almost nowhere); each candidate is
// then compared whole. The text is not copied and must outlive the finder.
class NeedleFinder {
 public:
  explicit NeedleFinder(std::string_view needle, FinderLevel level = bestFinderLevel());

  std::size_t size() const { return m_needle.size(); }
  // True when the text holds a comma, CR or LF: it then never lies inside
  // an item.
  bool holdsItemEnd() const { return m_holdsItemEnd; }
  FinderLevel level() const { return m_level; }

  // The first position in [first, last) at which the whole text lies before
  // last, or last. For the empty text: the first byte that does not end an
  // item (where the next non-empty item starts), or last.
  const char* find(const char* first, const char* last) const;

 private:
  const char* findPortable(const char* first, const char* lastStart) const;
  const char* findSse2(const char* first, const char* lastStart) const;
  const char* findAvx2(const char* first, const char* lastStart) const;
  bool matchesAt(const char* candidate) const;
  // The first of the candidates (bit i: position k + i) where the text lies.
  const char* firstMatch(const char* k, std::uint64_t candidates) const;

  std::string_view m_needle;
  FinderLevel m_level;
  bool m_holdsItemEnd = false;
  std::size_t m_rareOffset1 = 0;  // offsets into the text of the filter's two bytes
  std::size_t m_rareOffset2 = 0;
};

}  // namespace lookup

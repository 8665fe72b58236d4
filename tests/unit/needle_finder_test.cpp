// SPDX-License-Identifier: MIT
#include "lookup/needle_finder.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/item_bounds.h"

namespace {

using lookup::FinderLevel;
using lookup::NeedleFinder;

std::vector<FinderLevel> levelsThisMachineRuns() {
  std::vector<FinderLevel> levels = {FinderLevel::Portable};
  if (lookup::bestFinderLevel() != FinderLevel::Portable) levels.push_back(FinderLevel::Sse2);
  if (lookup::bestFinderLevel() == FinderLevel::Avx2) levels.push_back(FinderLevel::Avx2);
  return levels;
}

const char* levelName(FinderLevel level) {
  switch (level) {
    case FinderLevel::Portable:
      return "portable";
    case FinderLevel::Sse2:
      return "sse2";
    case FinderLevel::Avx2:
      return "avx2";
  }
  return "?";
}

// What find promises, the plain way.
std::size_t expectedFind(std::string_view haystack, std::string_view needle) {
  if (needle.empty()) {
    const std::size_t start = haystack.find_first_not_of(std::string_view(",\r\n", 3));
    return start == std::string_view::npos ? haystack.size() : start;
  }
  const std::size_t found = haystack.find(needle);
  return found == std::string_view::npos ? haystack.size() : found;
}

std::size_t finderResult(const NeedleFinder& finder, std::string_view haystack) {
  const char* first = haystack.data();
  return static_cast<std::size_t>(finder.find(first, first + haystack.size()) - first);
}

TEST(NeedleFinder, TakesTheLevelAskedForWhenTheProcessorRunsIt) {
  for (const FinderLevel level : levelsThisMachineRuns()) {
    EXPECT_EQ(NeedleFinder("KJFK", level).level(), level) << levelName(level);
  }
}

TEST(NeedleFinder, KnowsATextThatNoItemCanHold) {
  EXPECT_FALSE(NeedleFinder("LAKE MARIANO INTL").holdsItemEnd());
  EXPECT_FALSE(NeedleFinder("").holdsItemEnd());
  EXPECT_TRUE(NeedleFinder("A,B").holdsItemEnd());
  EXPECT_TRUE(NeedleFinder("A\r").holdsItemEnd());
  EXPECT_TRUE(NeedleFinder("\nB").holdsItemEnd());
}

TEST(NeedleFinder, FindsTheFirstWholeOccurrenceOnly) {
  // 100 bytes so that the vector loops and their tails all run.
  const std::string haystack = std::string(90, 'K') + "QZKQZX|KQZ";
  for (const FinderLevel level : levelsThisMachineRuns()) {
    SCOPED_TRACE(levelName(level));
    EXPECT_EQ(finderResult(NeedleFinder("KQZX", level), haystack), 92u);
    // Only partly inside the data: not found.
    EXPECT_EQ(finderResult(NeedleFinder("KQZX", level), haystack.substr(0, 95)), 95u);
    EXPECT_EQ(finderResult(NeedleFinder("KQZ", level), haystack), 89u);
    EXPECT_EQ(finderResult(NeedleFinder("|KQZ", level), haystack), 96u);
    EXPECT_EQ(finderResult(NeedleFinder("KK", level), haystack), 0u);
    EXPECT_EQ(finderResult(NeedleFinder("XX", level), haystack), haystack.size());
  }
}

TEST(NeedleFinder, EmptyTextFindsWhereTheNextNonEmptyItemStarts) {
  for (const FinderLevel level : levelsThisMachineRuns()) {
    const NeedleFinder finder("", level);
    EXPECT_EQ(finderResult(finder, ",\r\n\r\nA|B"), 5u) << levelName(level);
    EXPECT_EQ(finderResult(finder, "\r\n,,\n"), 5u) << levelName(level);
    EXPECT_EQ(finderResult(finder, " x"), 0u) << levelName(level);
  }
}

TEST(NeedleFinder, AgreesWithAPlainSearchOnRandomData) {
  std::mt19937 random(6);
  // Few distinct bytes, so that filter candidates and near misses abound;
  // a high byte and a NUL among them.
  const std::string alphabet("KQZX|AB 0\xB0\0,\r\n", 14);
  for (int round = 0; round < 3000; ++round) {
    const std::size_t size = random() % 300;
    std::string haystack;
    for (std::size_t i = 0; i < size; ++i)
      haystack += alphabet[random() % (round % 2 == 0 ? 5 : alphabet.size())];
    std::string needle;
    if (random() % 3 == 0 && !haystack.empty()) {
      // A piece of the data itself, so that there is something to find.
      const std::size_t from = random() % haystack.size();
      needle = haystack.substr(from, 1 + random() % 70);
    } else {
      const std::size_t length = random() % 8;
      for (std::size_t i = 0; i < length; ++i)
        needle += alphabet[random() % 5];
    }
    // Start and end anywhere, so every alignment of the vector loads is met.
    const std::size_t first = haystack.empty() ? 0 : random() % (haystack.size() + 1);
    const std::size_t last = first + random() % (haystack.size() - first + 1);
    const std::string_view window = std::string_view(haystack).substr(first, last - first);
    for (const FinderLevel level : levelsThisMachineRuns()) {
      ASSERT_EQ(finderResult(NeedleFinder(needle, level), window), expectedFind(window, needle))
          << levelName(level) << " round " << round << " needle \"" << needle << "\"";
    }
  }
}

TEST(ItemEnds, FirstAndLastAgreeWithAPlainSearch) {
  std::mt19937 random(7);
  const std::string alphabet = "ab|,\r\n";
  for (int round = 0; round < 2000; ++round) {
    std::string bytes;
    const std::size_t size = random() % 200;
    for (std::size_t i = 0; i < size; ++i) {
      bytes += random() % 8 == 0 ? alphabet[random() % alphabet.size()] : 'x';
    }
    const char* first = bytes.data();
    const char* last = first + bytes.size();
    const std::size_t firstEnd = bytes.find_first_of(std::string_view(",\r\n"));
    const std::size_t lastEnd = bytes.find_last_of(std::string_view(",\r\n"));
    ASSERT_EQ(lookup::findItemEnd(first, last) - first,
              static_cast<std::ptrdiff_t>(firstEnd == std::string::npos ? bytes.size() : firstEnd))
        << bytes;
    const char* found = lookup::findLastItemEnd(first, last);
    if (lastEnd == std::string::npos) {
      ASSERT_EQ(found, nullptr) << bytes;
    } else {
      ASSERT_EQ(found - first, static_cast<std::ptrdiff_t>(lastEnd)) << bytes;
    }
  }
  const char* text = "a,b";
  EXPECT_EQ(lookup::findLastItemEnd(text + 2, text + 1), nullptr);  // reversed range
}

}  // namespace

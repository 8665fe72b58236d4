// SPDX-License-Identifier: MIT
// The search over the read buffer against a plain item-by-item reader: same
// items offered to the accept test, same match, same position, same read
// position afterwards, whatever the sizes of the buffer and of the reads.

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/airport_database.h"
#include "lookup/airport_line.h"
#include "plain_database.h"
#include "temp_dir.h"

namespace {

using lookup::AirportDatabase;
using testing_support::PlainDatabase;
using testing_support::PlainItem;
using testing_support::TempDir;

constexpr std::size_t kLimit = AirportDatabase::kMaxItemBytes;

// An accept test that writes down every item it is asked about. It takes
// splittable airport lines, as the search does, or a fixed share of items.
class RecordingAccept {
 public:
  enum class Rule { AirportLines, Everything, Alternate };
  explicit RecordingAccept(Rule rule) : m_rule(rule) {}

  bool operator()(std::string_view item) {
    asked.emplace_back(item);
    switch (m_rule) {
      case Rule::AirportLines:
        return lookup::isSplittableAirportLine(item);
      case Rule::Everything:
        return true;
      case Rule::Alternate:
        return asked.size() % 2 == 0;
    }
    return false;
  }

  std::vector<std::string> asked;

 private:
  Rule m_rule;
};

// Drives both readers through the same steps: scans, runway-style reads and
// reopenings, and fails at the first difference.
class ScanComparison {
 public:
  ScanComparison(const TempDir& dir, std::string_view bytes, std::size_t bufferBytes,
                 std::size_t readBytes, lookup::LookAhead lookAhead = {})
      : m_plain(bytes, kLimit),
        m_fast(dir.file("airports.txt").string(), bufferBytes, readBytes, lookAhead) {
    dir.write("airports.txt", bytes);
    m_opened = !m_fast.open();
  }

  bool opened() const { return m_opened; }

  void reopen() {
    ASSERT_EQ(m_fast.open(), std::nullopt);
    m_plain.reopen();
  }

  void scan(std::string_view needle, RecordingAccept::Rule rule) {
    RecordingAccept plainAccept(rule);
    RecordingAccept fastAccept(rule);
    std::string plainMatch = "unset";
    std::string fastMatch = "unset";
    const std::size_t plainPosition = m_plain.scanFor(needle, std::ref(plainAccept), plainMatch);
    const std::size_t fastPosition = m_fast.scanFor(needle, std::ref(fastAccept), fastMatch);
    ASSERT_EQ(fastPosition, plainPosition) << "needle \"" << needle << "\"";
    ASSERT_EQ(fastMatch, plainMatch);
    ASSERT_EQ(fastAccept.asked, plainAccept.asked) << "the accept test saw other items";
    ASSERT_EQ(m_fast.atEnd(), m_plain.atEnd());
    if (plainPosition == 0) {
      ASSERT_TRUE(m_plain.atEnd());  // a scan that finds nothing reads to the end
    }
  }

  void readItems(std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
      ASSERT_EQ(m_fast.atEnd(), m_plain.atEnd());
      if (m_plain.atEnd()) return;
      const lookup::Item fast = m_fast.readItem();
      const PlainItem& plain = m_plain.readItem();
      ASSERT_EQ(fast.oversized, plain.oversized);
      ASSERT_EQ(std::string(fast.text), plain.text);
    }
  }

  bool atEnd() const { return m_plain.atEnd(); }

 private:
  PlainDatabase m_plain;
  AirportDatabase m_fast;
  bool m_opened = false;
};

// Random files in the database's layout, with every kind of line end, commas,
// short items, empty lines and items at and over the size limit; the texts
// searched for are planted in all of them.
class RandomDatabase {
 public:
  RandomDatabase(std::uint32_t seed, std::vector<std::string> needles)
      : m_random(seed), m_needles(std::move(needles)) {}

  std::string build(std::size_t size, int longItemsPerMille) {
    std::string bytes;
    while (bytes.size() < size) {
      const auto roll = m_random() % 1000;
      if (roll < static_cast<unsigned>(longItemsPerMille)) {
        appendLongItem(bytes);
      } else if (roll < 400) {
        appendAirportLine(bytes);
      } else if (roll < 750) {
        appendRunwayLine(bytes);
      } else if (roll < 850) {
        appendWord(bytes, m_random() % 12);  // a short item, few or no "|"
      }
      // else: an empty item
      appendItemEnd(bytes);
    }
    if (m_random() % 2 == 0) appendWord(bytes, 1 + m_random() % 8);  // the file ends inside an item
    return bytes;
  }

  std::string pickNeedle() { return m_needles[m_random() % m_needles.size()]; }
  std::uint32_t next() { return static_cast<std::uint32_t>(m_random()); }

 private:
  void appendItemEnd(std::string& bytes) {
    static constexpr const char* kEnds[] = {"\r\n", "\r\n", "\r\n", "\n", "\r", ","};
    bytes += kEnds[m_random() % 6];
  }

  void appendWord(std::string& bytes, std::size_t length) {
    static constexpr std::string_view kLetters = "AKQZX |LMN";
    for (std::size_t i = 0; i < length; ++i)
      bytes += kLetters[m_random() % kLetters.size()];
    if (m_random() % 5 == 0) bytes += pickNeedle();
  }

  void appendAirportLine(std::string& bytes) {
    for (int field = 0; field < 9; ++field) {
      appendWord(bytes, m_random() % 6);
      bytes += '|';
    }
  }

  void appendRunwayLine(std::string& bytes) {
    for (int field = 0; field < 6; ++field) {
      appendWord(bytes, 1 + m_random() % 3);
      bytes += '|';
    }
  }

  // An item of about the size limit: at it, one over, or well over, with a
  // text planted at its start, in its middle or at its end.
  void appendLongItem(std::string& bytes) {
    static constexpr std::size_t kLengths[] = {kLimit, kLimit + 1, kLimit - 1, kLimit + 5000,
                                               3 * kLimit};
    const std::size_t length = kLengths[m_random() % 5];
    std::string item = "L|A|B|C|D|E|F|G|H|";
    item.resize(length, 'Y');
    const std::string needle = pickNeedle();
    if (!needle.empty() && needle.size() < length &&
        needle.find_first_of(",\r\n") == std::string::npos) {
      const std::size_t where[] = {0, length / 2, length - needle.size()};
      item.replace(where[m_random() % 3], needle.size(), needle);
    }
    bytes += item;
  }

  std::mt19937 m_random;
  std::vector<std::string> m_needles;
};

const std::vector<std::string> kNeedles = {
    "KQZX", "Q",    "|", "AK",  "ZX|Q", "LAKE MARIANO INTL", "", "YYYY",
    "A|",   "NONE", ",", "K\r", "\nA"};

// maxRegionBytes 0 keeps the program's own look-ahead rule (never met in
// files this small); otherwise every scan looks ahead with both cores from
// its first refill, in regions of a random size up to maxRegionBytes.
void compareOnRandomFiles(std::uint32_t seed, int files, std::size_t fileBytes,
                          const std::vector<std::size_t>& readSizes, std::size_t bufferBytes,
                          std::size_t maxRegionBytes = 0) {
  TempDir dir;
  RandomDatabase generator(seed, kNeedles);
  for (int file = 0; file < files; ++file) {
    const std::string bytes = generator.build(fileBytes, file % 3 == 0 ? 0 : 4);
    for (const std::size_t readBytes : readSizes) {
      lookup::LookAhead lookAhead;
      if (maxRegionBytes > 0) lookAhead = {1 + generator.next() % maxRegionBytes, 0, 0};
      SCOPED_TRACE("seed " + std::to_string(seed) + " file " + std::to_string(file) + " of " +
                   std::to_string(bytes.size()) + " bytes, reads of " + std::to_string(readBytes) +
                   ", buffer " + std::to_string(bufferBytes) + ", regions of " +
                   std::to_string(lookAhead.regionBytes));
      ScanComparison both(dir, bytes, bufferBytes, readBytes, lookAhead);
      ASSERT_TRUE(both.opened());
      for (int step = 0; step < 400; ++step) {
        const auto roll = generator.next() % 10;
        if (roll < 6) {
          const auto rule = static_cast<RecordingAccept::Rule>(generator.next() % 3);
          both.scan(generator.pickNeedle(), rule);
        } else if (roll < 9) {
          both.readItems(generator.next() % 4);  // as the runway lines after a match are read
        } else {
          both.reopen();
        }
        if (testing::Test::HasFatalFailure()) return;
        if (both.atEnd()) both.reopen();
      }
    }
  }
}

TEST(AirportScan, MatchesThePlainReaderWithReadsOfAFewBytes) {
  compareOnRandomFiles(1, 6, 20000, {1, 2, 3, 5, 8}, 0);
}

TEST(AirportScan, MatchesThePlainReaderAcrossTheSmallestBuffer) {
  // Reads that fill the smallest buffer: long items are carried over its end.
  compareOnRandomFiles(2, 6, 400000, {0, 7, 4093}, AirportDatabase::kMaxItemBytes + 1);
}

TEST(AirportScan, MatchesThePlainReaderWithTheUsualBuffer) {
  compareOnRandomFiles(3, 4, 1200000, {0, 65536}, AirportDatabase::kDefaultBufferBytes);
}

TEST(AirportScan, LookingAheadMatchesThePlainReaderWithRegionsOfAFewBytes) {
  compareOnRandomFiles(4, 6, 20000, {0, 5}, AirportDatabase::kDefaultBufferBytes, 12);
}

TEST(AirportScan, LookingAheadMatchesThePlainReaderWithRegionsAroundTheItemLimit) {
  // Oversized items span several regions, texts planted in them included.
  compareOnRandomFiles(5, 4, 600000, {0, 4093}, AirportDatabase::kDefaultBufferBytes, 2 * kLimit);
}

// Cases met above by chance, spelt out one by one.

struct Opened {
  explicit Opened(std::string_view bytes, std::size_t readBytes = 0)
      : database(dir.file("airports.txt").string(), 0, readBytes) {
    dir.write("airports.txt", bytes);
    EXPECT_EQ(database.open(), std::nullopt);
  }
  TempDir dir;
  AirportDatabase database;
};

constexpr auto kAnyItem = [](std::string_view) { return true; };

TEST(AirportScan, ReadsOnAfterACarriageReturnLineFeedSplitBetweenReads) {
  const std::string bytes = "1|ABCD|N|1|2|3|4|5|6|\r\nR|09|90|9000|0|0|\r\n\r\nnext\r\n";
  // Every read size puts the split somewhere else, once between CR and LF.
  for (std::size_t readBytes = 1; readBytes <= bytes.size(); ++readBytes) {
    Opened file(bytes, readBytes);
    std::string matched;
    ASSERT_EQ(file.database.scanFor("ABCD", lookup::isSplittableAirportLine, matched), 3u)
        << readBytes;
    EXPECT_EQ(matched, "1|ABCD|N|1|2|3|4|5|6|");
    EXPECT_EQ(file.database.readItem().text, "R|09|90|9000|0|0|") << readBytes;
    EXPECT_EQ(file.database.readItem().text, "") << readBytes;
    EXPECT_EQ(file.database.readItem().text, "next") << readBytes;
    EXPECT_TRUE(file.database.atEnd());
  }
}

TEST(AirportScan, FindsATextSplitBetweenReads) {
  for (std::size_t readBytes = 1; readBytes <= 12; ++readBytes) {
    Opened file("xx,LAKE MARIANO INTL|\r\ny", readBytes);
    std::string matched;
    EXPECT_EQ(file.database.scanFor("MARIANO", kAnyItem, matched), 6u) << readBytes;
    EXPECT_EQ(matched, "LAKE MARIANO INTL|");
    EXPECT_EQ(file.database.readItem().text, "y");
  }
}

TEST(AirportScan, EmptyTextTakesTheNextNonEmptyItem) {
  Opened file("\r\n,\r\r\n\nfirst,second\r\n");
  std::string matched;
  EXPECT_EQ(file.database.scanFor("", kAnyItem, matched), 1u);
  EXPECT_EQ(matched, "first");
  EXPECT_EQ(file.database.scanFor("", kAnyItem, matched), 1u);
  EXPECT_EQ(matched, "second");
  EXPECT_EQ(file.database.scanFor("", kAnyItem, matched), 0u);
  EXPECT_TRUE(file.database.atEnd());
}

TEST(AirportScan, TextWithACommaOrLineEndMatchesNothing) {
  for (const std::string_view needle : {"A,B", "A\r\nB", "A\nB", "B\r"}) {
    Opened file("A,B\r\nA\r\nB\r\n");
    std::string matched = "unset";
    EXPECT_EQ(file.database.scanFor(needle, kAnyItem, matched), 0u);
    EXPECT_EQ(matched, "unset");
    EXPECT_TRUE(file.database.atEnd());
  }
}

TEST(AirportScan, HitInALineWithFewerThanNineBarsGoesOn) {
  Opened file("R|KQZX|0|0|0|0|\r\n|KQZX|NAME|1|2|3|4|5|6|\r\nR|09|\r\n");
  std::string matched;
  EXPECT_EQ(file.database.scanFor("KQZX", lookup::isSplittableAirportLine, matched), 2u);
  EXPECT_EQ(matched, "|KQZX|NAME|1|2|3|4|5|6|");
  EXPECT_EQ(file.database.readItem().text, "R|09|");
}

TEST(AirportScan, TextInsideAnOversizedItemNeverMatches) {
  const std::string atLimit = std::string(kLimit - 4, 'N') + "KQZX";
  const std::string overLimit = "KQZX" + std::string(kLimit - 3, 'N');
  Opened file(overLimit + "\r\n" + atLimit + "\r\nKQZX");
  std::string matched;
  EXPECT_EQ(file.database.scanFor("KQZX", kAnyItem, matched), kLimit - 3);
  EXPECT_EQ(matched, atLimit);
  EXPECT_EQ(file.database.scanFor("KQZX", kAnyItem, matched), 1u);
  EXPECT_EQ(matched, "KQZX");
  EXPECT_TRUE(file.database.atEnd());
}

TEST(AirportScan, TextLongerThanAnyItemMatchesNothing) {
  const std::string item(kLimit, 'A');
  Opened file(item + "\r\n");
  std::string matched;
  EXPECT_EQ(file.database.scanFor(item, kAnyItem, matched), 1u);
  ASSERT_EQ(file.database.open(), std::nullopt);
  EXPECT_EQ(file.database.scanFor(item + "A", kAnyItem, matched), 0u);
  EXPECT_TRUE(file.database.atEnd());
}

TEST(AirportScan, MatchAtTheEndOfTheFileLeavesNothingToRead) {
  Opened file("a\r\nb|KQZX", 3);
  std::string matched;
  EXPECT_EQ(file.database.scanFor("KQZX", kAnyItem, matched), 3u);
  EXPECT_EQ(matched, "b|KQZX");
  EXPECT_TRUE(file.database.atEnd());
}

// The same with both cores looking ahead from the first refill on.
struct LookingAhead {
  LookingAhead(std::string_view bytes, std::size_t regionBytes, std::size_t readBytes)
      : database(dir.file("airports.txt").string(), AirportDatabase::kDefaultBufferBytes, readBytes,
                 {regionBytes, 0, 0}) {
    dir.write("airports.txt", bytes);
    EXPECT_EQ(database.open(), std::nullopt);
  }
  std::size_t scan(std::string_view needle, std::string& matched) {
    return database.scanFor(needle, kAnyItem, matched);
  }
  TempDir dir;
  AirportDatabase database;
};

std::string shortItems(std::size_t bytes) {
  std::string items;
  while (items.size() < bytes)
    items += "R|09|090|9000|0|0|\r\n";
  return items;
}

TEST(AirportScan, LookingAheadTheEarlierHitWinsWhereverTheRegionsEnd) {
  const std::string bytes = "a|b\r\nN|KQZ|QZX\r\nfirst KQZX|\r\nfill|fill\r\nsecond KQZX|\r\nend";
  for (std::size_t regionBytes = 1; regionBytes <= 40; ++regionBytes) {
    LookingAhead file(bytes, regionBytes, 3);
    std::string matched;
    EXPECT_EQ(file.scan("KQZX", matched), 7u) << regionBytes;
    EXPECT_EQ(matched, "first KQZX|");
    EXPECT_EQ(file.scan("KQZX", matched), 8u) << regionBytes;
    EXPECT_EQ(matched, "second KQZX|");
    EXPECT_EQ(file.database.readItem().text, "end");
    EXPECT_EQ(file.scan("KQZX", matched), 0u);
    EXPECT_TRUE(file.database.atEnd());
  }
}

TEST(AirportScan, LookingAheadFindsTheItemAroundAHitFarIntoTheFile) {
  std::string oversized(3 * kLimit, 'Y');
  oversized.replace(2 * kLimit, 4, "KQZX");
  const std::string bytes = shortItems(100000) + "LAKE KQZX|\r\n" + oversized + "\r\nKQZX\r\ntail";
  LookingAhead file(bytes, 4096, 512);
  std::string matched;
  EXPECT_EQ(file.scan("KQZX", matched), 6u);
  EXPECT_EQ(matched, "LAKE KQZX|");
  EXPECT_EQ(file.scan("KQZX", matched), 1u);  // never inside the oversized item
  EXPECT_EQ(matched, "KQZX");
  EXPECT_EQ(file.database.readItem().text, "tail");
}

TEST(AirportScan, LookingAheadReadsOnInAFileThatGrowsOrShrinksBetweenSearches) {
  const std::string items = shortItems(3000);
  LookingAhead file(items + "one KQZX|\r\n" + items, 7, 64);
  std::string matched;
  ASSERT_EQ(file.scan("KQZX", matched), 5u);
  EXPECT_EQ(matched, "one KQZX|");
  // Grown in place: the search reads on into the new part.
  file.dir.write("airports.txt", items + "one KQZX|\r\n" + items + "two KQZX|\r\n" + items);
  ASSERT_EQ(file.scan("KQZX", matched), 5u);
  EXPECT_EQ(matched, "two KQZX|");
  // Cut short before the read position: nothing more to find.
  file.dir.write("airports.txt", items);
  EXPECT_EQ(file.scan("KQZX", matched), 0u);
  EXPECT_TRUE(file.database.atEnd());
  EXPECT_EQ(file.database.readError(), std::nullopt);
}

TEST(AirportScan, AFailedReadEndsTheScanAndIsToldApartFromTheEnd) {
  if (!testing_support::readFailsWithEio("/proc/self/mem")) GTEST_SKIP() << "no EIO to be had";
  const lookup::LookAhead alone;  // the file's size is 0: never worth a thread
  const lookup::LookAhead bothCores{16, 0, 0};
  for (const lookup::LookAhead& lookAhead : {alone, bothCores}) {
    AirportDatabase database("/proc/self/mem", AirportDatabase::kDefaultBufferBytes, 0, lookAhead);
    ASSERT_EQ(database.open(), std::nullopt);
    std::string matched = "unset";
    EXPECT_EQ(database.scanFor("KQZX", kAnyItem, matched), 0u);
    EXPECT_EQ(matched, "unset");
    EXPECT_EQ(database.readError(), common::systemError(EIO)) << lookAhead.regionBytes;
    EXPECT_TRUE(database.atEnd());
    ASSERT_EQ(database.open(), std::nullopt);
    EXPECT_EQ(database.readError(), std::nullopt);
  }
}

}  // namespace

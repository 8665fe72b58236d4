// SPDX-License-Identifier: MIT
#include "lookup/airport_database.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "common/error.h"

#include <random>
#include <string>
#include <vector>

#include "lookup/airport_line.h"
#include "plain_database.h"
#include "temp_dir.h"

namespace {

using lookup::AirportDatabase;
using testing_support::splitPlainItems;
using testing_support::TempDir;

using ReadResult = testing_support::PlainItem;

std::vector<ReadResult> readAll(AirportDatabase& database) {
  std::vector<ReadResult> items;
  while (!database.atEnd()) {
    const lookup::Item item = database.readItem();
    items.push_back({std::string(item.text), item.oversized});
  }
  return items;
}

std::vector<ReadResult> readFile(const TempDir& dir, std::string_view bytes) {
  dir.write("airports.txt", bytes);
  AirportDatabase database(dir.file("airports.txt").string());
  EXPECT_EQ(database.open(), std::nullopt);
  return readAll(database);
}

TEST(ItemReader, EndsItemsAtCommasAndEveryKindOfLineEnd) {
  TempDir dir;
  const std::vector<ReadResult> expected = {{"a|b|", false}, {"", false},      {"lf", false},
                                            {"cr", false},   {"", false},      {"x", false},
                                            {" y ", false},  {"\"q\"", false}, {"last", false}};
  EXPECT_EQ(readFile(dir, "a|b|\r\n\r\nlf\ncr\r\rx, y ,\"q\"\nlast"), expected);
}

TEST(ItemReader, ConsumesOneLineEndAfterTheLastItem) {
  TempDir dir;
  EXPECT_EQ(readFile(dir, "only\r\n"), (std::vector<ReadResult>{{"only", false}}));
  EXPECT_EQ(readFile(dir, "only\r"), (std::vector<ReadResult>{{"only", false}}));
  EXPECT_EQ(readFile(dir, ""), std::vector<ReadResult>{});
  EXPECT_EQ(readFile(dir, "a,"), (std::vector<ReadResult>{{"a", false}}));
}

TEST(ItemReader, KeepsNulBytesAndHighBytes) {
  TempDir dir;
  const std::string bytes("a\0b\xB0\xFF", 5);
  EXPECT_EQ(readFile(dir, bytes), (std::vector<ReadResult>{{bytes, false}}));
}

TEST(ItemReader, ReadsOverItemsTooLongToHold) {
  TempDir dir;
  const std::string longest(AirportDatabase::kMaxItemBytes, 'L');
  const std::string tooLong(AirportDatabase::kMaxItemBytes + 1, 'T');
  const std::string huge(1000000, 'H');
  const auto items = readFile(dir, longest + "\r\n" + tooLong + "\r\nnext\n" + huge + ",tail");
  const std::vector<ReadResult> expected = {
      {longest, false}, {"", true}, {"next", false}, {"", true}, {"tail", false}};
  EXPECT_EQ(items, expected);
}

TEST(ItemReader, MatchesThePlainReaderAcrossBufferBoundaries) {
  TempDir dir;
  std::mt19937 random(20261207);
  const std::string alphabet = "AB|,\r\n\r\n 09";
  for (int round = 0; round < 20; ++round) {
    std::string bytes;
    const std::size_t size = 100000 + random() % 300000;
    while (bytes.size() < size) {
      // Mostly short items, now and then one near or over the limit.
      const std::size_t run = random() % 50 == 0 ? 60000 + random() % 10000 : random() % 40;
      bytes.append(run, static_cast<char>('a' + random() % 26));
      bytes += alphabet[random() % alphabet.size()];
    }
    ASSERT_EQ(readFile(dir, bytes), splitPlainItems(bytes, AirportDatabase::kMaxItemBytes))
        << "round " << round;
  }
}

TEST(ItemReader, ReportsAMissingFile) {
  TempDir dir;
  AirportDatabase database(dir.file("airports.txt").string());
  EXPECT_EQ(database.open(), common::systemError(ENOENT));
  EXPECT_TRUE(database.atEnd());
}

TEST(ItemReader, RefusesADirectory) {
  TempDir dir;
  std::filesystem::create_directory(dir.file("airports.txt"));
  AirportDatabase database(dir.file("airports.txt").string());
  EXPECT_EQ(database.open(), common::systemError(EISDIR));
}

TEST(ItemReader, ReopeningStartsAgainAtTheTop) {
  TempDir dir;
  dir.write("airports.txt", "one\r\ntwo\r\n");
  AirportDatabase database(dir.file("airports.txt").string());
  ASSERT_EQ(database.open(), std::nullopt);
  EXPECT_EQ(database.readItem().text, "one");
  ASSERT_EQ(database.open(), std::nullopt);
  EXPECT_EQ(database.readItem().text, "one");
}

TEST(Scan, FindsTheNextAcceptedItemAndStopsJustAfterIt) {
  TempDir dir;
  dir.write("airports.txt", "1|AAAA|x|\r\n1|BBBB|1|2|3|4|5|6|7|\r\nrunway\r\n");
  AirportDatabase database(dir.file("airports.txt").string());
  ASSERT_EQ(database.open(), std::nullopt);
  std::string matched;
  // AAAA has too few "|" to be an airport line: the scan goes on past it.
  EXPECT_EQ(database.scanFor("|", lookup::isSplittableAirportLine, matched), 2u);
  EXPECT_EQ(matched, "1|BBBB|1|2|3|4|5|6|7|");
  EXPECT_EQ(database.readItem().text, "runway");
  EXPECT_EQ(database.scanFor("", lookup::isSplittableAirportLine, matched), 0u);
  EXPECT_TRUE(database.atEnd());
}

TEST(Scan, EmptyTextMatchesTheNextNonEmptyItem) {
  TempDir dir;
  dir.write("airports.txt", "\r\n\r\nfirst\r\n");
  AirportDatabase database(dir.file("airports.txt").string());
  ASSERT_EQ(database.open(), std::nullopt);
  std::string matched;
  EXPECT_EQ(database.scanFor(
                "", [](std::string_view) { return true; }, matched),
            1u);
  EXPECT_EQ(matched, "first");
}

TEST(Scan, NeverMatchesOversizedItems) {
  TempDir dir;
  dir.write("airports.txt", std::string(70000, 'N') + "\r\nN\r\n");
  AirportDatabase database(dir.file("airports.txt").string());
  ASSERT_EQ(database.open(), std::nullopt);
  std::string matched;
  EXPECT_EQ(database.scanFor(
                "N", [](std::string_view) { return true; }, matched),
            1u);
  EXPECT_EQ(matched, "N");
}

}  // namespace

// SPDX-License-Identifier: MIT
#include "lookup/runway_block.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "temp_dir.h"

namespace {

class RunwayBlock : public testing::Test {
 protected:
  // Reads the runway block that starts the file.
  void read(std::string_view bytes) {
    m_dir.write("airports.txt", bytes);
    m_database = std::make_unique<lookup::AirportDatabase>(m_dir.file("airports.txt").string());
    ASSERT_EQ(m_database->open(), std::nullopt);
    m_runways = lookup::readRunwayBlock(*m_database);
  }

  testing_support::TempDir m_dir;
  std::unique_ptr<lookup::AirportDatabase> m_database;
  std::vector<lookup::Runway> m_runways;
};

TEST_F(RunwayBlock, StoresEachRunwayUpToTheEmptyLine) {
  read("1|09|090|9000|0|0|\r\n1|27|270|9000|w|110.30|\r\n\r\nnext\r\n");
  ASSERT_EQ(m_runways.size(), 2u);
  EXPECT_EQ(m_runways[1].designator, "27");
  EXPECT_EQ(m_runways[1].orientation, "270");
  EXPECT_EQ(m_runways[1].lengthFt, "9000");
  EXPECT_EQ(m_runways[1].ilsFrequency, "110.30");
  EXPECT_EQ(m_database->readItem().text, "next");
}

TEST_F(RunwayBlock, ReadsOverLinesThatAreNoRunways) {
  read("1|09|090|long|0|0|\r\n1|10|100|9000|0|\r\n" + std::string(70000, 'x') +
       "\r\n1|11|110|7000|0|0|\r\n\r\nnext");
  ASSERT_EQ(m_runways.size(), 1u);
  EXPECT_EQ(m_runways[0].designator, "11");
  EXPECT_EQ(m_database->readItem().text, "next");
}

TEST_F(RunwayBlock, StoresAtMostAHundredAndReadsOnToTheEmptyLine) {
  std::string bytes;
  for (int i = 1; i <= 150; ++i)
    bytes += "1|R" + std::to_string(i) + "|090|9000|0|0|\r\n";
  read(bytes + "\r\nnext\r\n");
  ASSERT_EQ(m_runways.size(), 100u);
  EXPECT_EQ(m_runways[99].designator, "R100");
  EXPECT_EQ(m_database->readItem().text, "next");
}

TEST_F(RunwayBlock, EndsAtTheEndOfTheFile) {
  read("1|09|090|9000|0|0|");
  ASSERT_EQ(m_runways.size(), 1u);
  EXPECT_TRUE(m_database->atEnd());
}

}  // namespace

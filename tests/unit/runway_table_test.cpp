// SPDX-License-Identifier: MIT
#include "lookup/runway_table.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "temp_dir.h"

namespace {

class RunwayBlock : public testing::Test {
 protected:
  // Reads the runway block that starts the file.
  void read(std::string_view bytes) {
    m_dir.write("airports.txt", bytes);
    m_database = std::make_unique<lookup::AirportDatabase>(m_dir.file("airports.txt").string());
    ASSERT_EQ(m_database->open(), std::nullopt);
    lookup::readRunwayBlock(*m_database, m_state);
  }

  testing_support::TempDir m_dir;
  std::unique_ptr<lookup::AirportDatabase> m_database;
  common::FormState m_state;
};

TEST_F(RunwayBlock, StoresEachRunwayUpToTheEmptyLine) {
  read("1|09|090|9000|0|0|\r\n1|27|270|9000|w|110.30|\r\n\r\nnext\r\n");
  EXPECT_EQ(m_state.runwayCount, 2);
  EXPECT_EQ(m_state.runways.designator[1], "27");
  EXPECT_EQ(m_state.runways.orientation[1], "270");
  EXPECT_EQ(m_state.runways.lengthFt[1], "9000");
  EXPECT_EQ(m_state.runways.ilsFrequency[1], "110.30");
  EXPECT_EQ(m_database->readItem().text, "next");
}

TEST_F(RunwayBlock, ReadsOverLinesThatAreNoRunways) {
  read("1|09|090|long|0|0|\r\n1|10|100|9000|0|\r\n" + std::string(70000, 'x') +
       "\r\n1|11|110|7000|0|0|\r\n\r\nnext");
  EXPECT_EQ(m_state.runwayCount, 1);
  EXPECT_EQ(m_state.runways.designator[0], "11");
  EXPECT_EQ(m_database->readItem().text, "next");
}

TEST_F(RunwayBlock, StoresAtMostAHundredAndReadsOnToTheEmptyLine) {
  std::string bytes;
  for (int i = 1; i <= 150; ++i)
    bytes += "1|R" + std::to_string(i) + "|090|9000|0|0|\r\n";
  read(bytes + "\r\nnext\r\n");
  EXPECT_EQ(m_state.runwayCount, 100);
  EXPECT_EQ(m_state.runways.designator[99], "R100");
  EXPECT_EQ(m_database->readItem().text, "next");
}

TEST_F(RunwayBlock, EndsAtTheEndOfTheFile) {
  read("1|09|090|9000|0|0|");
  EXPECT_EQ(m_state.runwayCount, 1);
  EXPECT_TRUE(m_database->atEnd());
}

}  // namespace

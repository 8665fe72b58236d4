// SPDX-License-Identifier: MIT
#include "lookup/runway_table.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/text1252.h"
#include "temp_dir.h"

namespace {

using common::RunwayTable;
using lookup::formatElevation;
using lookup::formatRunwayRow;

std::string spaces(std::size_t count) {
  return std::string(count, ' ');
}

RunwayTable tableWith(const char* designator, const char* orientation, const char* lengthFt,
                      const char* ils) {
  RunwayTable table;
  table.designator[0] = designator;
  table.orientation[0] = orientation;
  table.lengthFt[0] = lengthFt;
  table.ilsFrequency[0] = ils;
  return table;
}

TEST(RunwayRow, LinesUpColumnsWithFixedRunsOfSpaces) {
  const std::string expected = "04L" + spaces(19) + "040\xB0" + spaces(34) + "12079 ft./ 3681 mt." +
                               spaces(12) + "109.50" + spaces(9) + "\r";
  EXPECT_EQ(formatRunwayRow(tableWith("04L", "040", "12079", "109.50"), 1), expected);
}

TEST(RunwayRow, ShowsWholeMetresRoundedDown) {
  EXPECT_EQ(lookup::runwayLengthWholeMetres("10000"), 3048);
  EXPECT_EQ(lookup::runwayLengthWholeMetres("8000"), 2438);
  EXPECT_EQ(lookup::runwayLengthWholeMetres("12079"), 3681);
  EXPECT_EQ(lookup::runwayLengthWholeMetres("3000"), 914);
  EXPECT_EQ(lookup::runwayLengthWholeMetres(" 0 "), 0);
}

TEST(Elevation, AddsWholeMetresRoundedDown) {
  EXPECT_EQ(formatElevation("13"), "13 ft./ 3 mt.       ");
  EXPECT_EQ(formatElevation("-11"), "-11 ft./-4 mt.       ");
  EXPECT_EQ(formatElevation("0"), "0 ft./ 0 mt.       ");
  EXPECT_EQ(formatElevation(""), " ft./ 0 mt.       ");
  EXPECT_EQ(formatElevation("13 feet"), "13 feet ft./ 3 mt.       ");
}

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

TEST(ShowAirport, FillsTheResultLabels) {
  common::FormState state;
  state.runwayCount = 1;
  state.runways = tableWith("09", "090", "10000", "0");
  state.runways.designator[1] = "stale entry above the count";
  lookup::FoundAirport found;
  found.record = {"ABCD", "NAME", "", "", "13", common::utf8ToCp1252("città"), "", "LAND"};
  found.latitudeText =
      "45\xB0"
      "30'0'' N";
  found.longitudeText =
      "9\xB0"
      "15'0'' W";
  common::WindowModel window;
  lookup::showAirport(found, state, window);
  using common::ControlId;
  EXPECT_EQ(window.text(ControlId::Label2), "ABCD");
  EXPECT_EQ(window.text(ControlId::Label4), "NAME");
  EXPECT_EQ(common::cp1252ToUtf8(window.text(ControlId::Label14)), "CITTÀ");
  EXPECT_EQ(window.text(ControlId::Label16), "LAND");
  EXPECT_EQ(window.text(ControlId::Label17), "");
  EXPECT_EQ(common::cp1252ToUtf8(window.text(ControlId::Label15)), "45°30'0'' N   9°15'0'' W");
  EXPECT_EQ(window.text(ControlId::Label12), "13 ft./ 3 mt.       ");
  EXPECT_EQ(window.text(ControlId::Label6), " 1");
  EXPECT_EQ(window.text(ControlId::Label5), formatRunwayRow(state.runways, 1));
}

}  // namespace

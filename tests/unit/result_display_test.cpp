// SPDX-License-Identifier: MIT
#include "lookup/result_display.h"

#include <gtest/gtest.h>

#include <string>

#include "common/text1252.h"

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

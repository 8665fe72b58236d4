// SPDX-License-Identifier: MIT
#include "lookup/result_display.h"

#include <gtest/gtest.h>

#include <string>

#include "common/text1252.h"

namespace {

using lookup::formatElevation;
using lookup::formatRunwayRow;

std::string spaces(std::size_t count) {
  return std::string(count, ' ');
}

TEST(RunwayRow, LinesUpColumnsWithFixedRunsOfSpaces) {
  const std::string expected = "04L" + spaces(19) + "040\xB0" + spaces(34) + "12079 ft./ 3681 mt." +
                               spaces(12) + "109.50" + spaces(9) + "\r";
  EXPECT_EQ(formatRunwayRow({"04L", "040", "12079", "109.50"}), expected);
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

}  // namespace

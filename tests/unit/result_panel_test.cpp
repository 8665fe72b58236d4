// SPDX-License-Identifier: MIT
#include "form/result_panel.h"

#include <gtest/gtest.h>

#include "common/text1252.h"
#include "lookup/result_display.h"

namespace {

using common::ControlId;

TEST(ShowAirport, FillsTheResultLabels) {
  lookup::FoundAirport found;
  found.record = {"ABCD", "NAME", "", "", "13", common::utf8ToCp1252("città"), "", "LAND"};
  found.runways = {{"09", "090", "10000", "0"}, {"27", "270", "10000", "110.30"}};
  found.latitudeText =
      "45\xB0"
      "30'0'' N";
  found.longitudeText =
      "9\xB0"
      "15'0'' W";
  common::WindowModel window;
  form::showAirport(found, window);
  EXPECT_EQ(window.text(ControlId::Label2), "ABCD");
  EXPECT_EQ(window.text(ControlId::Label4), "NAME");
  EXPECT_EQ(common::cp1252ToUtf8(window.text(ControlId::Label14)), "CITTÀ");
  EXPECT_EQ(window.text(ControlId::Label16), "LAND");
  EXPECT_EQ(window.text(ControlId::Label17), "");
  EXPECT_EQ(common::cp1252ToUtf8(window.text(ControlId::Label15)), "45°30'0'' N   9°15'0'' W");
  EXPECT_EQ(window.text(ControlId::Label12), "13 ft./ 3 mt.       ");
  EXPECT_EQ(window.text(ControlId::Label6), " 2");
  EXPECT_EQ(window.text(ControlId::Label5),
            lookup::formatRunwayRow(found.runways[0]) + lookup::formatRunwayRow(found.runways[1]));
}

}  // namespace

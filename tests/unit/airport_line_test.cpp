// SPDX-License-Identifier: MIT
#include "lookup/airport_line.h"

#include <gtest/gtest.h>

namespace {

using lookup::splitAirportLine;
using lookup::splitRunwayLine;

TEST(AirportLineSplit, CutsTheEightFields) {
  const auto record =
      splitAirportLine("1|ABCD|SAMPLE FIELD|45500000|-9250000|320|SAMPLETOWN|--|SAMPLELAND|rest");
  ASSERT_TRUE(record);
  EXPECT_EQ(record->icao, "ABCD");
  EXPECT_EQ(record->airportName, "SAMPLE FIELD");
  EXPECT_EQ(record->latitudeField, "45500000");
  EXPECT_EQ(record->longitudeField, "-9250000");
  EXPECT_EQ(record->elevationFt, "320");
  EXPECT_EQ(record->municipality, "SAMPLETOWN");
  EXPECT_EQ(record->iataCode, "--");  // the search empties it, not the split
  EXPECT_EQ(record->country, "SAMPLELAND");
}

TEST(AirportLineSplit, AllowsEmptyFieldsAfterTheCode) {
  const auto record = splitAirportLine("|X||||||||");
  ASSERT_TRUE(record);
  EXPECT_EQ(record->icao, "X");
  EXPECT_EQ(record->airportName, "");
  EXPECT_EQ(record->country, "");
}

TEST(AirportLineSplit, TakesABarInTheCodesFirstPlaceAsPartOfIt) {
  // An empty field 1 swallows the next field's closing bar.
  const auto record = splitAirportLine("0||NAME|1|2|3|4|5|6|7|");
  ASSERT_TRUE(record);
  EXPECT_EQ(record->icao, "|NAME");
  EXPECT_EQ(record->airportName, "1");
  EXPECT_EQ(record->country, "7");
}

TEST(AirportLineSplit, RefusesLinesWithTooFewBars) {
  EXPECT_FALSE(splitAirportLine(""));
  EXPECT_FALSE(splitAirportLine("1|09|090|9000|0|0|"));
  EXPECT_FALSE(splitAirportLine("1|A|B|C|D|E|F|G|"));
  EXPECT_FALSE(splitAirportLine("|||||||||"));  // field 1 takes the second bar
  EXPECT_TRUE(lookup::isSplittableAirportLine("1|A|B|C|D|E|F|G|H|"));
  EXPECT_FALSE(lookup::isSplittableAirportLine("1|A|B|C|D|E|F|G|H"));
}

TEST(RunwayLineSplit, CutsFieldsOneToFiveAndKeepsTheFourNeeded) {
  const auto runway = splitRunwayLine("R|09|090|10000|x|110.30|ignored|");
  ASSERT_TRUE(runway);
  EXPECT_EQ(runway->designator, "09");
  EXPECT_EQ(runway->orientation, "090");
  EXPECT_EQ(runway->lengthFt, "10000");
  EXPECT_EQ(runway->ilsFrequency, "110.30");
}

TEST(RunwayLineSplit, LooksForEachClosingBarFromTheFieldsSecondCharacter) {
  const auto runway = splitRunwayLine("||A|B|C|D|E|");
  ASSERT_TRUE(runway);
  EXPECT_EQ(runway->designator, "|A");
  EXPECT_EQ(runway->orientation, "B");
  EXPECT_EQ(runway->lengthFt, "C");
  EXPECT_EQ(runway->ilsFrequency, "E");
}

TEST(RunwayLineSplit, RefusesLinesWithTooFewBars) {
  EXPECT_FALSE(splitRunwayLine("1|09|090|9000|0|"));
  EXPECT_FALSE(splitRunwayLine("|||||||"));
  EXPECT_FALSE(splitRunwayLine(""));
}

}  // namespace

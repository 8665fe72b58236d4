// SPDX-License-Identifier: MIT
#include "lookup/coordinate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <string_view>

#include "common/text1252.h"

namespace {

using lookup::CoordinateKind;
using lookup::decodeCoordinate;

struct CoordinateCase {
  const char* name;
  const char* field;
  CoordinateKind kind;
  const char* textUtf8;
  double degrees;
};

class DecodeCoordinate : public testing::TestWithParam<CoordinateCase> {};

TEST_P(DecodeCoordinate, GivesTextAndDegrees) {
  const auto& c = GetParam();
  const auto decoded = decodeCoordinate(c.field, c.kind);
  EXPECT_EQ(common::cp1252ToUtf8(decoded.text), c.textUtf8);
  EXPECT_DOUBLE_EQ(decoded.degrees, c.degrees);
}

constexpr auto kLat = CoordinateKind::Latitude;
constexpr auto kLon = CoordinateKind::Longitude;

INSTANTIATE_TEST_SUITE_P(
    Fields, DecodeCoordinate,
    testing::Values(
        CoordinateCase{"HalfDegree", "45500000", kLat, "45°30'0'' N", 45.5},
        CoordinateCase{"West", "-9250000", kLon, "9°15'0'' W", -9.25},
        CoordinateCase{"TenthsNotSeconds", "41812500", kLat, "41°48'7'' N", 41.8125},
        CoordinateCase{"OneDigitMinute", "41050000", kLat, "41°3'0'' N", 41.05},
        CoordinateCase{"WholeDegree", "41000000", kLat, "41°0'0'' N", 41},
        CoordinateCase{"NoDegreeDigits", "500000", kLat, " 0°30'0'' N", 0.5},
        CoordinateCase{"NoDegreeDigitsSouth", "-500000", kLat, " 0°30'0'' S", -0.5},
        CoordinateCase{"ThreeDegreeDigits", "-123456789", kLon, "123°27'4'' W", -123.456789},
        CoordinateCase{"East", "12238889", kLon, "12°14'3'' E", 12.238889},
        CoordinateCase{"FiveCharacters", "12345", kLat, "°0'0'' N", 0},
        CoordinateCase{"TenCharacters", "-1234567890", kLon, "°0'0'' W", 0},
        CoordinateCase{"Empty", "", kLon, "°0'0'' E", 0},
        CoordinateCase{"MinusAnywhereDropsFirstCharacter", "4-500000", kLat, "-°30'0'' S", 0.5},
        CoordinateCase{"NoRangeCheck", "200000000", kLat, "200°0'0'' N", 200}),
    [](const testing::TestParamInfo<CoordinateCase>& row) { return row.param.name; });

TEST(DecodeCoordinateMalformed, NeverFailsOnGarbage) {
  for (std::string field :
       {"ab.cdef", "--------", "1-2-3-4", "99999x9", "\xB0\xB0\xB0\xB0\xB0\xB0"}) {
    const auto decoded = decodeCoordinate(field, kLat);
    const bool south = field.find('-') != std::string::npos;
    const std::string_view text = decoded.text;
    EXPECT_EQ(text.substr(text.size() - 2), south ? " S" : " N") << field;
    // The tenths of a minute are one digit whatever the field holds.
    const std::size_t quotes = text.rfind("'' ");
    ASSERT_NE(quotes, std::string_view::npos) << field;
    EXPECT_TRUE(text[quotes - 1] >= '0' && text[quotes - 1] <= '9') << field;
    EXPECT_TRUE(std::isfinite(decoded.degrees)) << field;
  }
}

TEST(DecodeCoordinateMalformed, AZeroIsNeverNegative) {
  // "-0" before the fraction reads as -0, negated or not.
  for (std::string field : {"--0000000", "-000000", "--00000", "1-0.00000"}) {
    for (CoordinateKind kind : {kLat, kLon}) {
      const auto decoded = decodeCoordinate(field, kind);
      EXPECT_EQ(decoded.degrees, 0) << field;
      EXPECT_FALSE(std::signbit(decoded.degrees)) << field;
    }
  }
}

}  // namespace

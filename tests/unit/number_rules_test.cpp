// SPDX-License-Identifier: MIT
#include "common/number_rules.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace {

using common::leadingNumber;
using common::numberText;
using common::parseNumber;

struct TextCase {
  const char* name;
  double value;
  const char* text;
};

class NumberTextOfDouble : public testing::TestWithParam<TextCase> {};

TEST_P(NumberTextOfDouble, WritesPlainDecimalWithSignSpace) {
  EXPECT_EQ(numberText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumberTextOfDouble,
    testing::Values(TextCase{"Whole", 3, " 3"}, TextCase{"Fraction", 2438.4, " 2438.4"},
                    TextCase{"NoLeadingZero", 0.5, " .5"}, TextCase{"Negative", -4, "-4"},
                    TextCase{"NegativeFraction", -0.25, "-.25"}, TextCase{"Zero", 0, " 0"},
                    TextCase{"NegativeZero", -0.0, " 0"},
                    TextCase{"FifteenDigits", 257.5138910131836, " 257.513891013184"},
                    TextCase{"ProductNoise", 3000 * 0.3048, " 914.4"},
                    TextCase{"RoundsUpIntoWhole", 3047.9999999999995, " 3048"},
                    TextCase{"LargeWhole", 123456789012345, " 123456789012345"},
                    TextCase{"SmallFraction", 0.00012, " .00012"},
                    TextCase{"HugeTakesExponent", 1e20, " 1E+20"},
                    TextCase{"TinyTakesExponent", -1.5e-7, "-1.5E-07"}),
    [](const testing::TestParamInfo<TextCase>& row) { return row.param.name; });

TEST(NumberTextOfFloat, ShowsSevenSignificantDigits) {
  EXPECT_EQ(numberText(476.91290283203125f), " 476.9129");
  EXPECT_EQ(numberText(0.1111949f), " .1111949");
  EXPECT_EQ(numberText(18485.3046875f), " 18485.3");
  EXPECT_EQ(numberText(0.0f), " 0");
  EXPECT_EQ(numberText(12345678.0f), " 1.234568E+07");
}

TEST(NumberText, NeverFailsOnNonFiniteValues) {
  EXPECT_EQ(numberText(std::numeric_limits<double>::infinity()).front(), ' ');
  EXPECT_EQ(numberText(-std::numeric_limits<double>::infinity()).front(), '-');
  EXPECT_FALSE(numberText(std::nan("")).empty());
}

struct LeadingCase {
  const char* name;
  const char* text;
  double value;
};

class LeadingNumberOf : public testing::TestWithParam<LeadingCase> {};

TEST_P(LeadingNumberOf, ReadsTheNumberAtTheStart) {
  EXPECT_EQ(leadingNumber(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingNumberOf,
    testing::Values(LeadingCase{"Plain", "320", 320}, LeadingCase{"Negative", "-11", -11},
                    LeadingCase{"Plus", "+7", 7}, LeadingCase{"Decimal", "45.500000", 45.5},
                    LeadingCase{"BlanksAnywhere", " 4\t5 .\n5x", 45.5},
                    LeadingCase{"StopsAtSecondPoint", "1.2.3", 1.2},
                    LeadingCase{"StopsAtLetter", "12ft", 12}, LeadingCase{"NoExponent", "1E3", 1},
                    LeadingCase{"CarriageReturnIsNoBlank", "1\r2", 1}, LeadingCase{"Empty", "", 0},
                    LeadingCase{"Letters", "abc", 0}, LeadingCase{"SignOnly", "-", 0},
                    LeadingCase{"PointOnly", ".", 0}, LeadingCase{"SignAfterDigit", "5-3", 5},
                    LeadingCase{"PointFirst", ".25", 0.25}),
    [](const testing::TestParamInfo<LeadingCase>& row) { return row.param.name; });

TEST(LeadingNumber, HandlesHundredsOfDigits) {
  EXPECT_TRUE(std::isinf(leadingNumber(std::string(400, '9'))));
  EXPECT_EQ(leadingNumber("." + std::string(400, '0') + "1"), 0);
}

TEST(ParseNumber, AcceptsWholeDecimalNumbersWithBlanksAround) {
  EXPECT_EQ(parseNumber("12079"), 12079);
  EXPECT_EQ(parseNumber(" 110.30 "), 110.3);
  EXPECT_EQ(parseNumber("-4"), -4);
  EXPECT_EQ(parseNumber("+.5"), 0.5);
  EXPECT_EQ(parseNumber("3."), 3);
  EXPECT_EQ(parseNumber("0.00"), 0);
  EXPECT_EQ(parseNumber("1E3"), 1000);
  EXPECT_EQ(parseNumber("1.5E-07"), 1.5e-7);
}

// Beyond a double's range a text is infinity when it is too large and 0
// when it is too small, whether its size comes from digits or exponent.
TEST(ParseNumber, TellsTooLargeFromTooSmall) {
  const std::string zeros(400, '0');
  EXPECT_EQ(parseNumber("0." + zeros + "1"), 0);
  EXPECT_EQ(parseNumber("-." + zeros + "1"), 0);
  EXPECT_EQ(parseNumber("1" + zeros + "e-5"), HUGE_VAL);
  EXPECT_EQ(parseNumber("-1" + zeros + ".5E-50"), -HUGE_VAL);
  EXPECT_EQ(parseNumber("0." + zeros + "1e500"), 1e99);
  EXPECT_EQ(parseNumber("1" + zeros), HUGE_VAL);
  EXPECT_EQ(parseNumber("1e-400"), 0);
  EXPECT_EQ(parseNumber("1e400"), HUGE_VAL);
  EXPECT_EQ(parseNumber("0.001e99999999999999999999"), HUGE_VAL);
  EXPECT_EQ(parseNumber("1000e-99999999999999999999"), 0);
}

TEST(ParseNumber, RefusesEverythingElse) {
  for (const char* text : {"", "   ", "abc", "12a", "1 2", "1,5", "--1", ".", "-", "1E", "E3",
                           "0x10", "1.2.3", "inf", "nan"}) {
    EXPECT_FALSE(parseNumber(text).has_value()) << '"' << text << '"';
  }
}

TEST(ParseNumber, ReadsBackWhatNumberTextWrites) {
  for (double value : {0.0, 1.0, -4.0, 0.5, 2438.4, 3047.6952, 257.513891013184, 1e20, -1.5e-7,
                       123456789012345.0}) {
    const auto back = parseNumber(numberText(value));
    ASSERT_TRUE(back.has_value()) << numberText(value);
    EXPECT_EQ(*back, value);
  }
}

TEST(RoundTo15Digits, RemovesProductNoise) {
  EXPECT_EQ(common::roundTo15Digits(3047.9999999999995), 3048);
  EXPECT_EQ(common::roundTo15Digits(914.4000000000001), 914.4);
  EXPECT_EQ(common::roundTo15Digits(0), 0);
}

}  // namespace

namespace {

// Under a locale whose decimal separator is a comma, texts keep the point.
TEST(NumberRulesUnderItalianLocale, KeepThePoint) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "it_IT.UTF-8") == nullptr) GTEST_SKIP() << "no it_IT.UTF-8 locale";
  EXPECT_STREQ(std::localeconv()->decimal_point, ",");
  EXPECT_EQ(common::numberText(2438.4), " 2438.4");
  EXPECT_EQ(common::numberText(476.91290283203125f), " 476.9129");
  EXPECT_EQ(common::parseNumber("2438.4"), 2438.4);
  EXPECT_FALSE(common::parseNumber("2438,4").has_value());
  EXPECT_EQ(common::leadingNumber("2438,4"), 2438);
  std::setlocale(LC_ALL, previous.c_str());
}

}  // namespace

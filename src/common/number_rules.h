// SPDX-License-Identifier: MIT
#pragma once

// How numbers become texts and texts become numbers, the same everywhere and
// whatever the locale: "." is always the decimal point.

#include <optional>
#include <string>
#include <string_view>

namespace common {

// Plain decimal text with at most 15 significant digits (the last rounded to
// nearest), no trailing zeros, no "0" before the point, and a leading space
// for a number that is not negative: 2438.4 -> " 2438.4", 0.5 -> " .5",
// -4 -> "-4". Beyond 1e15 or below 1e-5 the text takes an exponent
// (" 1E+20", " 1.5E-07"), which parseNumber reads back.
std::string numberText(double value);

// The same for a single-precision value: at most 7 significant digits,
// exponent from 1e7 on (476.9129f -> " 476.9129").
std::string numberText(float value);

// The value rounded to 15 significant digits, the precision numberText shows
// ("3047.9999999999995" -> 3048).
double roundTo15Digits(double value);

// The value of the number at the start of a text. Blanks (space, tab, line
// feed) are skipped wherever they stand; an optional sign, digits and one "."
// form the number; reading stops at the first other character. A text that
// does not begin with a number gives 0: "  -11 ft" -> -11, "4 5.5x" -> 45.5.
double leadingNumber(std::string_view text);

// The value of a text that is a decimal number as a whole, blanks around it
// allowed (" 110.30 " -> 110.3, "1E3" -> 1000). Anything else, the empty text
// included, gives no value.
std::optional<double> parseNumber(std::string_view text);

}  // namespace common

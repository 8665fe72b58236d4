// SPDX-License-Identifier: MIT
// numberText, leadingNumber, parseNumber and roundTo15Digits. Raw bytes are
// read as a double, as a float and as a text, and each rule is checked
// against the C library in the "C" locale and against its own round trip:
// parseNumber(numberText(x)) gives back x rounded to the digits numberText
// shows (15 for a double, 7 for a float), and exactly x wherever x is the
// value of such a decimal.

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "common/number_rules.h"
#include "reference.h"

namespace {

using fuzzref::check;

bool sameValue(double a, double b) {
  return a == b || (std::isnan(a) && std::isnan(b));
}

// The form every text of numberText has: a sign place (space or "-"), no
// "0" before the point, no trailing zeros after it, no comma.
void checkTextForm(const std::string& text, std::size_t maxDigits) {
  check(text.size() >= 2, "numberText: too short");
  check(text[0] == ' ' || text[0] == '-', "numberText: no sign place");
  check(text.find(',') == std::string::npos, "numberText: holds a comma");
  if (text == " NaN" || text == " Inf" || text == "-Inf" || text == " 0") return;
  check(text.compare(1, 2, "0.") != 0, "numberText: 0 before the point");
  const std::size_t exponent = text.find('E');
  const std::string mantissa =
      text.substr(1, exponent == std::string::npos ? std::string::npos : exponent - 1);
  if (mantissa.find('.') != std::string::npos) {
    check(mantissa.back() != '0' && mantissa.back() != '.', "numberText: trailing zero");
  }
  std::size_t digits = 0;
  bool leading = true;
  for (char c : mantissa) {
    if (c == '.') continue;
    check(c >= '0' && c <= '9', "numberText: stray character");
    if (leading && c == '0') continue;
    leading = false;
    ++digits;
  }
  // A whole number may end in zeros that are not significant.
  std::size_t significant = digits;
  if (mantissa.find('.') == std::string::npos) {
    std::size_t zeros = 0;
    while (zeros < mantissa.size() && mantissa[mantissa.size() - 1 - zeros] == '0')
      ++zeros;
    significant = digits > zeros ? digits - zeros : digits;
  }
  check(significant <= maxDigits, "numberText: too many significant digits");
}

void checkDouble(double x) {
  const std::string text = common::numberText(x);
  checkTextForm(text, 15);
  if (!std::isfinite(x)) return;
  check((text[0] == '-') == (x < 0), "numberText(double): sign differs");
  const std::optional<double> back = common::parseNumber(text);
  check(back.has_value(), "parseNumber refuses numberText(double)");
  const double rounded = fuzzref::roundedTo(x, 15);
  check(sameValue(*back, rounded), "parseNumber(numberText(x)) is not x at 15 digits");
  if (std::isinf(rounded)) {
    // Within half a unit of the 15th digit below the largest double: the
    // rounded text reads as infinity, and roundTo15Digits keeps x.
    check(common::roundTo15Digits(x) == x, "roundTo15Digits near the largest double");
    return;
  }
  check(sameValue(common::roundTo15Digits(x), rounded), "roundTo15Digits differs");
  if (rounded == x) check(*back == x, "round trip of a 15-digit value");
  // Fifteen digits always survive a double: the text is stable.
  check(common::numberText(*back) == text, "numberText not stable over its own value");
}

void checkFloat(float x) {
  const std::string text = common::numberText(x);
  checkTextForm(text, 7);
  if (!std::isfinite(x)) return;
  check((text[0] == '-') == (x < 0), "numberText(float): sign differs");
  const std::optional<double> back = common::parseNumber(text);
  check(back.has_value(), "parseNumber refuses numberText(float)");
  check(sameValue(*back, fuzzref::roundedTo(static_cast<double>(x), 7)),
        "parseNumber(numberText(x)) is not x at 7 digits");
  // Six digits always survive a float; seven do where x is the float of a
  // six-digit decimal.
  if (static_cast<float>(fuzzref::roundedTo(static_cast<double>(x), 6)) == x) {
    check(static_cast<float>(*back) == x, "round trip of a six-digit float");
  }
}

void checkText(std::string_view text) {
  const std::optional<double> parsed = common::parseNumber(text);
  const std::optional<double> expected = fuzzref::parseNumber(text);
  check(parsed.has_value() == expected.has_value(), "parseNumber: accepts differently");
  if (parsed) check(sameValue(*parsed, *expected), "parseNumber: value differs");
  check(sameValue(common::leadingNumber(text), fuzzref::leadingNumber(text)),
        "leadingNumber: value differs");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  if (size >= sizeof(double)) {
    double x;
    std::memcpy(&x, bytes, sizeof x);
    checkDouble(x);
  }
  if (size >= sizeof(float)) {
    float x;
    std::memcpy(&x, bytes, sizeof x);
    checkFloat(x);
  }
  checkText(std::string_view(reinterpret_cast<const char*>(bytes), size));
  return 0;
}

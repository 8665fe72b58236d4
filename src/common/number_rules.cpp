// SPDX-License-Identifier: MIT
#include "common/number_rules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <system_error>

namespace common {
namespace {

// Builds the text from a value's rounded significant digits, written by
// to_chars in scientific form ("d.dddde+XX"), so no locale is involved.
std::string textFromScientific(std::string_view scientific, int maxPlainExponent) {
  bool negative = false;
  if (!scientific.empty() && scientific.front() == '-') {
    negative = true;
    scientific.remove_prefix(1);
  }
  const std::size_t ePos = scientific.find('e');
  std::string digits;
  for (char c : scientific.substr(0, ePos)) {
    if (c != '.') digits += c;
  }
  int exponent = 0;
  const std::string_view expText = scientific.substr(ePos + 1);
  std::from_chars(expText.data() + (expText.front() == '+' ? 1 : 0),
                  expText.data() + expText.size(), exponent);
  while (digits.size() > 1 && digits.back() == '0')
    digits.pop_back();

  std::string out(1, negative ? '-' : ' ');
  if (digits == "0") {
    out += '0';
    return out;
  }
  if (exponent >= maxPlainExponent || exponent < -5) {
    out += digits.front();
    if (digits.size() > 1) {
      out += '.';
      out.append(digits, 1);
    }
    out += exponent < 0 ? "E-" : "E+";
    const int magnitude = std::abs(exponent);
    if (magnitude < 10) out += '0';
    out += std::to_string(magnitude);
    return out;
  }
  const auto digitCount = static_cast<int>(digits.size());
  if (exponent < 0) {
    out += '.';
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    out += digits;
  } else if (exponent + 1 >= digitCount) {
    out += digits;
    out.append(static_cast<std::size_t>(exponent + 1 - digitCount), '0');
  } else {
    const std::size_t integerDigits = static_cast<std::size_t>(exponent) + 1;
    out.append(digits, 0, integerDigits);
    out += '.';
    out.append(digits, integerDigits);
  }
  return out;
}

template <typename Float>
std::string numberTextOf(Float value, int significantDigits) {
  if (std::isnan(value)) return " NaN";
  if (std::isinf(value)) return value < 0 ? "-Inf" : " Inf";
  if (value == 0) return " 0";  // also -0
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                    std::chars_format::scientific, significantDigits - 1);
  return textFromScientific(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)),
                            significantDigits);
}

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// The position after the sign at `i`, if any.
std::size_t skipSign(std::string_view text, std::size_t i) {
  return i < text.size() && (text[i] == '-' || text[i] == '+') ? i + 1 : i;
}

// The position after the run of digits that starts at `i`.
std::size_t skipDigits(std::string_view text, std::size_t i) {
  while (i < text.size() && isDigit(text[i]))
    ++i;
  return i;
}

// Whether the whole text is a signed decimal with at least one digit and an
// optional exponent that has digits of its own ("-12.5", ".5e+3", "7.").
bool isPlainDecimal(std::string_view text) {
  const std::size_t mantissaStart = skipSign(text, 0);
  std::size_t i = skipDigits(text, mantissaStart);
  std::size_t mantissaDigits = i - mantissaStart;
  if (i < text.size() && text[i] == '.') {
    const std::size_t fractionStart = i + 1;
    i = skipDigits(text, fractionStart);
    mantissaDigits += i - fractionStart;
  }
  if (mantissaDigits == 0) return false;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    const std::size_t exponentStart = skipSign(text, i + 1);
    i = skipDigits(text, exponentStart);
    if (i == exponentStart) return false;
  }
  return i == text.size();
}

// The value of an unsigned decimal text ("123.45", ".001e-7") that
// from_chars found out of range: infinity when it is too large for a double,
// 0 when it is too small. Which one is told by the power of ten of its first
// non-zero digit with the exponent added: beyond +308 or below -323, so its
// sign decides. Only texts of hundreds of digits or large exponents get here.
double outOfRangeValue(std::string_view text) {
  const std::size_t ePos = text.find_first_of("Ee");
  const std::string_view mantissa = text.substr(0, ePos);
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  const std::size_t firstDigit = mantissa.find_first_of("123456789");
  if (firstDigit == std::string_view::npos) return 0.0;
  long long power = firstDigit < point ? static_cast<long long>(point - firstDigit) - 1
                                       : -static_cast<long long>(firstDigit - point);
  if (ePos != std::string_view::npos) {
    std::string_view exponent = text.substr(ePos + 1);
    const bool negative = !exponent.empty() && exponent.front() == '-';
    if (!exponent.empty() && (exponent.front() == '-' || exponent.front() == '+')) {
      exponent.remove_prefix(1);
    }
    long long magnitude = 0;
    for (char c : exponent) {
      magnitude = std::min(magnitude * 10 + (c - '0'), 1000000000LL);  // far past any double
    }
    power += negative ? -magnitude : magnitude;
  }
  return power > 0 ? HUGE_VAL : 0.0;
}

double valueOf(const std::string& cleanNumber) {
  double value = 0;
  const char* first = cleanNumber.data();
  const char* last = first + cleanNumber.size();
  bool negative = false;
  if (first != last && (*first == '-' || *first == '+')) {
    negative = *first == '-';
    ++first;
  }
  // from_chars wants at least one digit before or after the point.
  if (first == last || (last - first == 1 && *first == '.')) return 0;
  const auto result = std::from_chars(first, last, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    value = outOfRangeValue(std::string_view(first, static_cast<std::size_t>(last - first)));
  }
  return negative ? -value : value;
}

}  // namespace

std::string numberText(double value) {
  return numberTextOf(value, 15);
}

std::string numberText(float value) {
  return numberTextOf(value, 7);
}

double roundTo15Digits(double value) {
  if (!std::isfinite(value)) return value;
  char buffer[64];
  const auto written =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
  double rounded = value;
  std::from_chars(buffer, written.ptr, rounded);
  return rounded;
}

double leadingNumber(std::string_view text) {
  std::string clean;
  bool signAllowed = true;
  bool pointSeen = false;
  for (char c : text) {
    if (isBlank(c)) continue;
    if ((signAllowed && (c == '-' || c == '+')) || isDigit(c)) {
      clean += c;
    } else if (c == '.' && !pointSeen) {
      pointSeen = true;
      clean += c;
    } else {
      break;
    }
    signAllowed = false;
  }
  return valueOf(clean);
}

std::optional<double> parseNumber(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return std::nullopt;
  const auto last = text.find_last_not_of(" \t\r\n");
  std::string_view body = text.substr(first, last - first + 1);
  if (!isPlainDecimal(body)) return std::nullopt;

  bool negative = body.front() == '-';
  if (body.front() == '-' || body.front() == '+') body.remove_prefix(1);
  double value = 0;
  const auto result = std::from_chars(body.data(), body.data() + body.size(), value);
  if (result.ec == std::errc::result_out_of_range) value = outOfRangeValue(body);
  return negative ? -value : value;
}

}  // namespace common

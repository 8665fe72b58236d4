// SPDX-License-Identifier: MIT
#include "lookup/coordinate.h"

#include <cmath>

#include "common/number_rules.h"

namespace lookup {
namespace {

// Rounding down, also for the negative values a malformed field can give.
long long floorDiv(double value, double divisor) {
  return static_cast<long long>(std::floor(value / divisor));
}

}  // namespace

DecodedCoordinate decodeCoordinate(std::string_view field, CoordinateKind kind) {
  const bool southOrWest = field.find('-') != std::string_view::npos;
  if (southOrWest) field.remove_prefix(1);
  char hemisphere = 'N';
  if (kind == CoordinateKind::Latitude) {
    hemisphere = southOrWest ? 'S' : 'N';
  } else {
    hemisphere = southOrWest ? 'W' : 'E';
  }

  std::string degreesText;
  std::string_view fraction;
  switch (field.size()) {
    case 6:
      degreesText = common::numberText(0.0);
      fraction = field;
      break;
    case 7:
    case 8:
    case 9:
      degreesText = std::string(field.substr(0, field.size() - 6));
      fraction = field.substr(field.size() - 6);
      break;
    default:
      break;
  }

  // The fraction read as a whole number of millionths; at most six
  // characters, so 60 times it is exact.
  const double minutesTimesMillion = 60 * common::leadingNumber(fraction);
  const long long minutes = floorDiv(minutesTimesMillion, 1000000);
  long long tenths = floorDiv(minutesTimesMillion, 100000) % 10;
  if (tenths < 0) tenths += 10;

  DecodedCoordinate result;
  result.text = degreesText;
  result.text += '\xB0';
  result.text += std::to_string(minutes);
  result.text += '\'';
  result.text += std::to_string(tenths);
  result.text += "'' ";
  result.text += hemisphere;

  std::string valueText = degreesText;
  valueText += '.';
  valueText += fraction;
  result.degrees = common::leadingNumber(valueText);
  if (southOrWest) result.degrees = -result.degrees;
  // A zero is +0, so it reads as 0 and not -0 wherever it is shown; a field
  // such as "--0000000" reads as -0 before any negation.
  if (result.degrees == 0) result.degrees = 0;
  return result;
}

}  // namespace lookup

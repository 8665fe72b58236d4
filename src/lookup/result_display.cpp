// SPDX-License-Identifier: MIT
#include "lookup/result_display.h"

#include <cmath>

#include "common/number_rules.h"
#include "common/units.h"

namespace lookup {

double runwayLengthWholeMetres(std::string_view lengthFt) {
  return std::floor(common::roundTo15Digits(runwayLengthMetres(lengthFt)));
}

double elevationWholeMetres(std::string_view elevationFt) {
  return std::floor(common::leadingNumber(elevationFt) * common::kMetresPerFoot);
}

double runwayLengthMetres(std::string_view lengthFt) {
  return common::parseNumber(lengthFt).value_or(0) * common::kMetresPerFoot;
}

namespace {

std::string lengthText(std::string_view lengthFt) {
  std::string text(lengthFt);
  text += " ft./";
  text += common::numberText(runwayLengthWholeMetres(lengthFt));
  return text;
}

}  // namespace

std::string formatRunwayRow(const Runway& runway) {
  std::string row = runway.designator;
  row += "                   ";
  row += runway.orientation;
  row += "\xB0                                  ";
  row += lengthText(runway.lengthFt);
  row += " mt.            ";
  row += runway.ilsFrequency;
  row += "         \r";
  return row;
}

RunwayCells runwayCells(const Runway& runway) {
  return {runway.designator, runway.orientation + "\xB0", lengthText(runway.lengthFt) + " mt.",
          hasIlsFrequency(runway.ilsFrequency) ? runway.ilsFrequency : std::string()};
}

bool hasIlsFrequency(std::string_view ilsFrequency) {
  return common::parseNumber(ilsFrequency).value_or(0) != 0;
}

std::string formatElevation(std::string_view elevationFt) {
  std::string text(elevationFt);
  text += " ft./";
  text += common::numberText(elevationWholeMetres(elevationFt));
  text += " mt.       ";
  return text;
}

}  // namespace lookup

// SPDX-License-Identifier: MIT
#include "lookup/result_display.h"

#include <cmath>

#include "common/number_rules.h"
#include "common/text1252.h"
#include "common/units.h"

namespace lookup {

using common::ControlId;

double runwayLengthWholeMetres(std::string_view lengthFt) {
  const double feet = common::parseNumber(lengthFt).value_or(0);
  return std::floor(common::roundTo15Digits(feet * common::kMetresPerFoot));
}

namespace {

std::string lengthText(std::string_view lengthFt) {
  std::string text(lengthFt);
  text += " ft./";
  text += common::numberText(runwayLengthWholeMetres(lengthFt));
  return text;
}

}  // namespace

std::string formatRunwayRow(const common::RunwayTable& table, int position) {
  const auto index = static_cast<std::size_t>(position - 1);
  std::string row = table.designator[index];
  row += "                   ";
  row += table.orientation[index];
  row += "\xB0                                  ";
  row += lengthText(table.lengthFt[index]);
  row += " mt.            ";
  row += table.ilsFrequency[index];
  row += "         \r";
  return row;
}

RunwayCells runwayCells(const common::RunwayTable& table, int position) {
  const auto index = static_cast<std::size_t>(position - 1);
  const std::string& ils = table.ilsFrequency[index];
  return {table.designator[index], table.orientation[index] + "\xB0",
          lengthText(table.lengthFt[index]) + " mt.", hasIlsFrequency(ils) ? ils : std::string()};
}

bool hasIlsFrequency(std::string_view ilsFrequency) {
  return common::parseNumber(ilsFrequency).value_or(0) != 0;
}

std::string formatElevation(std::string_view elevationFt) {
  const double metres = std::floor(common::leadingNumber(elevationFt) * common::kMetresPerFoot);
  std::string text(elevationFt);
  text += " ft./";
  text += common::numberText(metres);
  text += " mt.       ";
  return text;
}

void showAirport(const FoundAirport& found, const common::FormState& state,
                 common::WindowModel& window) {
  const AirportRecord& record = found.record;
  window.setText(ControlId::Label5, "");
  window.setText(ControlId::Label2, record.icao);
  window.setText(ControlId::Label4, record.airportName);
  window.setText(ControlId::Label6, common::numberText(static_cast<double>(state.runwayCount)));
  window.setText(ControlId::Label12, formatElevation(record.elevationFt));
  window.setText(ControlId::Label14, common::toUpper1252(record.heading1));
  window.setText(ControlId::Label16, record.heading2);
  window.setText(ControlId::Label17, record.heading3);
  window.setText(ControlId::Label15, found.latitudeText + "   " + found.longitudeText);
  std::string rows;
  for (int i = 1; i <= state.runwayCount; ++i)
    rows += formatRunwayRow(state.runways, i);
  window.setText(ControlId::Label5, std::move(rows));
}

}  // namespace lookup

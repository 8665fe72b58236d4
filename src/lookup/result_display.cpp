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

std::string formatRunwayRow(const common::RunwayTable& table, int position) {
  const auto index = static_cast<std::size_t>(position - 1);
  std::string row = table.designator[index];
  row += "                   ";
  row += table.orientation[index];
  row += "\xB0                                  ";
  row += table.lengthFt[index];
  row += " ft./";
  row += common::numberText(runwayLengthWholeMetres(table.lengthFt[index]));
  row += " mt.            ";
  row += table.ilsFrequency[index];
  row += "         \r";
  return row;
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

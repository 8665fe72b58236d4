// SPDX-License-Identifier: MIT
#include "form/result_panel.h"

#include "common/number_rules.h"
#include "common/text1252.h"
#include "lookup/result_display.h"

namespace form {

using common::ControlId;

void showAirport(const lookup::FoundAirport& found, common::WindowModel& window) {
  const lookup::AirportRecord& record = found.record;
  window.setText(ControlId::Label5, "");
  window.setText(ControlId::Label2, record.icao);
  window.setText(ControlId::Label4, record.airportName);
  window.setText(ControlId::Label6, common::numberText(static_cast<double>(found.runways.size())));
  window.setText(ControlId::Label12, lookup::formatElevation(record.elevationFt));
  window.setText(ControlId::Label14, common::toUpper1252(record.municipality));
  window.setText(ControlId::Label16, record.country);
  window.setText(ControlId::Label17, record.iataCode);
  window.setText(ControlId::Label15, found.latitudeText + "   " + found.longitudeText);
  std::string rows;
  for (const lookup::Runway& runway : found.runways)
    rows += lookup::formatRunwayRow(runway);
  window.setText(ControlId::Label5, std::move(rows));
}

}  // namespace form

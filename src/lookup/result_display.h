// SPDX-License-Identifier: MIT
#pragma once

// The texts of the result panel, built from a found airport line and the
// runway table read after it.

#include <string>
#include <string_view>

#include "common/form_state.h"
#include "common/window_model.h"
#include "lookup/airport_line.h"

namespace lookup {

// The row of runway `position` (1-based) for Label5, closed by a CR:
// "04L", 19 spaces, "040°", 34 spaces, "12079 ft./ 3681 mt.", 12 spaces,
// "109.50", 9 spaces, CR.
std::string formatRunwayRow(const common::RunwayTable& table, int position);

// A runway row's fields one by one, for a view that draws them in columns
// or reads them out: "04L", "040°", "12079 ft./ 3681 mt.", "109.50". The
// frequency is empty where the runway has none (see hasIlsFrequency).
struct RunwayCells {
  std::string designator;
  std::string orientation;
  std::string length;
  std::string ilsFrequency;
};
RunwayCells runwayCells(const common::RunwayTable& table, int position);

// Whether an ILS frequency text names one: "0", "0.00" and a text that is
// not a number stand for none.
bool hasIlsFrequency(std::string_view ilsFrequency);

// "13 ft./ 3 mt." and 7 spaces; metres rounded down (-11 ft -> -4 mt.).
std::string formatElevation(std::string_view elevationFt);

// Whole metres of a runway length as the row shows them.
double runwayLengthWholeMetres(std::string_view lengthFt);

// Fills the result labels and Label5 with one row per runway.
void showAirport(const FoundAirport& found, const common::FormState& state,
                 common::WindowModel& window);

}  // namespace lookup

// SPDX-License-Identifier: MIT
#pragma once

// The texts that show a found airport's runways and elevation, in the result
// panel and the data sheet.

#include <string>
#include <string_view>

#include "lookup/found_airport.h"

namespace lookup {

// The row of a runway for Label5, closed by a CR:
// "04L", 19 spaces, "040°", 34 spaces, "12079 ft./ 3681 mt.", 12 spaces,
// "109.50", 9 spaces, CR.
std::string formatRunwayRow(const Runway& runway);

// "13 ft./ 3 mt." and 7 spaces; metres rounded down (-11 ft -> -4 mt.).
std::string formatElevation(std::string_view elevationFt);

// Whole metres of a runway length as the row shows them.
double runwayLengthWholeMetres(std::string_view lengthFt);

}  // namespace lookup

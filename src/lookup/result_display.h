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

// A runway row's fields one by one, for a view that draws them in columns
// or reads them out: "04L", "040°", "12079 ft./ 3681 mt.", "109.50". The
// frequency is empty where the runway has none (see hasIlsFrequency).
struct RunwayCells {
  std::string designator;
  std::string orientation;
  std::string length;
  std::string ilsFrequency;
};
RunwayCells runwayCells(const Runway& runway);

// Whether an ILS frequency text names one: "0", "0.00" and a text that is
// not a number stand for none.
bool hasIlsFrequency(std::string_view ilsFrequency);

// "13 ft./ 3 mt." and 7 spaces; metres rounded down (-11 ft -> -4 mt.).
std::string formatElevation(std::string_view elevationFt);

// Feet to metres, the three ways the program has always shown them; each
// difference is kept on purpose, as the texts and sheets depend on it:
// - the runway row: whole metres, rounded down after rounding to 15
//   significant digits, of a length that is a number as a whole (else 0);
double runwayLengthWholeMetres(std::string_view lengthFt);
// - the elevation: rounded down with no rounding first, of the number the
//   text starts with ("13 feet" is 13 ft, -11 ft is -4 mt.);
double elevationWholeMetres(std::string_view elevationFt);
// - the data sheet's runway length: not rounded at all.
double runwayLengthMetres(std::string_view lengthFt);

}  // namespace lookup

// SPDX-License-Identifier: MIT
#pragma once

// Decoding the compact coordinate fields of an airport line: 0 to 3 digits
// of whole degrees, then six digits of millionths of a degree, led by a "-"
// for south or west. "45500000" as a latitude is 45°30'0'' N, 45.5. A field
// holding a "-" anywhere counts as south or west and loses its first
// character, whatever it is.

#include <string>
#include <string_view>

namespace lookup {

enum class CoordinateKind { Latitude, Longitude };

struct DecodedCoordinate {
  std::string text;    // degrees, "°" (0xB0), minutes, "'", tenths of a minute, "''", " ", N/S/E/W
  double degrees = 0;  // decimal degrees, south and west negative
};

// Never fails: a field of another length has no degree text and the value 0.
DecodedCoordinate decodeCoordinate(std::string_view field, CoordinateKind kind);

}  // namespace lookup

// SPDX-License-Identifier: MIT
#pragma once

// What the point marks and the distance keep between actions: the position
// of the airport last found and the two marked points. It starts at 0 and
// empty.

#include <cstdint>
#include <string>

namespace navcalc {

// What Command2 offers since the last search began: "SET P" or "SET D".
enum class PointMark : std::uint8_t { Departure, Destination };

struct PointState {
  // Marked points: an empty code or a 0 coordinate means unset.
  std::string departureIcao;
  std::string destinationIcao;
  PointMark offeredMark = PointMark::Departure;
  double currentLat = 0;  // decimal degrees, north and east positive
  double currentLon = 0;
  double departureLat = 0;
  double departureLon = 0;
  double destinationLat = 0;
  double destinationLon = 0;
  float distanceKm = 0;  // single precision on purpose: its text shows 7 digits
};

}  // namespace navcalc

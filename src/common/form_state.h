// SPDX-License-Identifier: MIT
#pragma once

// The window-level state of Form1: everything that lives from the window's
// creation to its end, apart from what the controls themselves show. It
// starts at 0 and empty.

#include <cstdint>
#include <string>

namespace common {

// Interface texts of the current language; empty until one is applied.
struct Captions {
  std::string search;
  std::string airport;
  std::string elevation;
  std::string runway;
  std::string runwayOrientation;
  std::string runwayLength;
  std::string ilsFrequency;
  std::string runways;
  std::string prompt;
};

// What Command2 offers since the last search began: "SET P" or "SET D".
enum class PointMark : std::uint8_t { Departure, Destination };

struct FormState {
  std::int16_t runwayCount = 0;  // of the last search; 0 when it showed nothing
  Captions captions;
  std::string langCode;  // "Ita" or "Eng", or whatever the settings file held
  std::string lastIcao;
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

}  // namespace common

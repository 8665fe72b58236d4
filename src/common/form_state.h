// SPDX-License-Identifier: MIT
#pragma once

// The window-level state of Form1: everything that lives from the window's
// creation to its end, apart from what the controls themselves show. It
// starts at 0 and empty.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace common {

inline constexpr std::size_t kMaxRunways = 100;

// Entry i of the tables (1-based, as the runway count counts) is at index
// i - 1. Entries above runwayCount keep texts of earlier searches.
struct RunwayTable {
  std::array<std::string, kMaxRunways> designator;
  std::array<std::string, kMaxRunways> orientation;
  std::array<std::string, kMaxRunways> lengthFt;
  std::array<std::string, kMaxRunways> ilsFrequency;
};

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

struct FormState {
  std::int16_t runwayCount = 0;
  RunwayTable runways;
  Captions captions;
  std::string langCode;  // "Ita" or "Eng", or whatever the settings file held
  std::string lastIcao;
  // Marked points: an empty code or a 0 coordinate means unset.
  std::string departureIcao;
  std::string destinationIcao;
  double currentLat = 0;  // decimal degrees, north and east positive
  double currentLon = 0;
  double departureLat = 0;
  double departureLon = 0;
  double destinationLat = 0;
  double destinationLon = 0;
  float distanceKm = 0;  // single precision on purpose: its text shows 7 digits
};

}  // namespace common

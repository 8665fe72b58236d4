// SPDX-License-Identifier: MIT
#pragma once

// The window-level state of Form1: everything that lives from the window's
// creation to its end, apart from what the controls themselves show and the
// airport on display. It starts at 0 and empty.

#include <cstdint>
#include <string>

#include "common/captions.h"
#include "navcalc/point_state.h"

namespace form {

struct FormState {
  std::int16_t runwayCount = 0;  // of the last search; 0 when it showed nothing
  bool lastSearchFound = false;  // whether the last search showed an airport
  common::Captions captions;
  std::string langCode;  // "Ita" or "Eng", or whatever the settings file held
  std::string lastIcao;
  navcalc::PointState points;
};

}  // namespace form

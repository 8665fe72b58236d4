// SPDX-License-Identifier: MIT
#pragma once

// Marking the airport on display as the departure point ("SET P") or the
// destination point ("SET D"). The departure is held while its latitude is
// not 0; each departure value is filled only while it is unset, the
// destination is overwritten by every mark.

#include <string_view>

#include "common/window_model.h"
#include "navcalc/point_state.h"

namespace navcalc {

// Before every search: offers Command2 again, captioned "SET P" while no
// departure is held and "SET D" after, and hides the last distance.
void offerPointButton(PointState& state, common::WindowModel& window);

// The click on Command2: marks the current position with the ICAO code on
// display.
void markPoint(PointState& state, std::string_view shownIcao, common::WindowModel& window);

}  // namespace navcalc

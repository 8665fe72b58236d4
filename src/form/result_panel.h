// SPDX-License-Identifier: MIT
#pragma once

// The result panel's labels, filled from a found airport.

#include "common/window_model.h"
#include "lookup/found_airport.h"

namespace form {

// Fills the result labels and Label5 with one row per runway.
void showAirport(const lookup::FoundAirport& found, common::WindowModel& window);

}  // namespace form

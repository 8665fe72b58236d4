// SPDX-License-Identifier: MIT
#pragma once

// The program reads over any line longer than its item limit, so an airport
// line past it could never be found. Such a line loses search keys from the
// end of field 0 until it fits.

#include <optional>
#include <string>

#include "airport_conversion.h"

namespace importer {

struct ItemLimitFit {
  bool fits = true;     // false when even no search keys at all are too long
  std::string warning;  // what was done, empty when the line fitted as it was
};

ItemLimitFit fitItemLimit(AirportBlock& block);

}  // namespace importer

// SPDX-License-Identifier: MIT
#pragma once

// The gazetteer Debian installs: the GeoNames cities of 15,000 people or
// more from libgeonames (package libgeonames0), their names in other
// languages from its gettext catalogues (libgeonames-common).

#include "gazetteer.h"

namespace importer {

// Loaded once, on first use; empty when the library holds no cities.
const Gazetteer& installedGazetteer();

}  // namespace importer

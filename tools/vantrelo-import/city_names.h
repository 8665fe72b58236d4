// SPDX-License-Identifier: MIT
#pragma once

// The names people call an airport by that OurAirports does not give: the
// names of the cities it serves in Italian, English and the languages of its
// country, and the metropolitan code that groups it with the city's other
// airports.

#include <vector>

#include "airport_conversion.h"
#include "gazetteer.h"
#include "metro_codes.h"

namespace importer {

// Adds to each block's keys the names of the cities it serves (see
// Gazetteer::citiesServedBy; the big city nearby for large and medium
// airports only) and its metropolitan codes, and gives each city's main
// airport the city's names as cityKeys. The main airport is the first its
// metropolitan code lists; else, of the large and medium airports serving
// the city, the first by: large before medium, scheduled service, the city
// named by its municipality, more runways, the longest runway, the ident.
void addCityNames(std::vector<AirportBlock>& blocks, const Gazetteer& gazetteer,
                  const std::vector<MetroCode>& metroCodes);

}  // namespace importer

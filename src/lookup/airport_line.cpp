// SPDX-License-Identifier: MIT
#include "lookup/airport_line.h"

#include <array>
#include <cstddef>

#include "lookup/database_format.h"

namespace lookup {
namespace {

using format::AirportField;
using format::kFieldSeparator;
using format::RunwayField;

constexpr auto npos = std::string_view::npos;

using AirportSeparators = std::array<std::size_t, format::kAirportFieldCount>;

// Separator positions (0-based), each one closing the field of its index:
// the first looked for from the start, the second from one past the first
// plus one (so field 1 is never empty), the others from one past the previous.
std::optional<AirportSeparators> airportSeparators(std::string_view item) {
  AirportSeparators sep{};
  sep[0] = item.find(kFieldSeparator);
  if (sep[0] == npos) return std::nullopt;
  for (std::size_t k = 1; k < sep.size(); ++k) {
    const std::size_t from = sep[k - 1] + (k == 1 ? 2 : 1);
    sep[k] = from < item.size() ? item.find(kFieldSeparator, from) : npos;
    if (sep[k] == npos) return std::nullopt;
  }
  return sep;
}

std::string airportField(std::string_view item, const AirportSeparators& sep, AirportField field) {
  const std::size_t close = sep[format::index(field)];
  const std::size_t open = sep[format::index(field) - 1];
  return std::string(item.substr(open + 1, close - open - 1));
}

}  // namespace

bool isSplittableAirportLine(std::string_view item) {
  return airportSeparators(item).has_value();
}

std::optional<AirportRecord> splitAirportLine(std::string_view item) {
  const auto sep = airportSeparators(item);
  if (!sep) return std::nullopt;
  const auto field = [&](AirportField f) { return airportField(item, *sep, f); };
  return AirportRecord{field(AirportField::Icao),        field(AirportField::Name),
                       field(AirportField::Latitude),    field(AirportField::Longitude),
                       field(AirportField::ElevationFt), field(AirportField::Municipality),
                       field(AirportField::IataCode),    field(AirportField::Country)};
}

std::optional<RunwayLine> splitRunwayLine(std::string_view item) {
  std::array<std::size_t, format::kRunwayFieldCount> sep{};
  sep[0] = item.find(kFieldSeparator);
  if (sep[0] == npos) return std::nullopt;
  for (std::size_t k = 1; k < sep.size(); ++k) {
    const std::size_t from = sep[k - 1] + 2;
    sep[k] = from < item.size() ? item.find(kFieldSeparator, from) : npos;
    if (sep[k] == npos) return std::nullopt;
  }
  const auto field = [&](RunwayField f) {
    const std::size_t k = format::index(f);
    return item.substr(sep[k - 1] + 1, sep[k] - sep[k - 1] - 1);
  };
  return RunwayLine{field(RunwayField::Designator), field(RunwayField::Orientation),
                    field(RunwayField::LengthFt), field(RunwayField::IlsFrequency)};
}

}  // namespace lookup

// SPDX-License-Identifier: MIT
#include "lookup/airport_line.h"

#include <array>
#include <cstddef>

namespace lookup {
namespace {

constexpr auto npos = std::string_view::npos;

// Separator positions (0-based) found as the airport rule says: the first
// from the start, the second from one past the first plus one, the others
// from one past the previous.
std::optional<std::array<std::size_t, 9>> airportSeparators(std::string_view item) {
  std::array<std::size_t, 9> sep{};
  sep[0] = item.find('|');
  if (sep[0] == npos) return std::nullopt;
  for (std::size_t k = 1; k < sep.size(); ++k) {
    const std::size_t from = sep[k - 1] + (k == 1 ? 2 : 1);
    sep[k] = from < item.size() ? item.find('|', from) : npos;
    if (sep[k] == npos) return std::nullopt;
  }
  return sep;
}

std::string between(std::string_view item, std::size_t open, std::size_t close) {
  return std::string(item.substr(open + 1, close - open - 1));
}

}  // namespace

bool isSplittableAirportLine(std::string_view item) {
  return airportSeparators(item).has_value();
}

std::optional<AirportRecord> splitAirportLine(std::string_view item) {
  const auto sep = airportSeparators(item);
  if (!sep) return std::nullopt;
  const auto& s = *sep;
  return AirportRecord{between(item, s[0], s[1]), between(item, s[1], s[2]),
                       between(item, s[2], s[3]), between(item, s[3], s[4]),
                       between(item, s[4], s[5]), between(item, s[5], s[6]),
                       between(item, s[6], s[7]), between(item, s[7], s[8])};
}

std::optional<RunwayLine> splitRunwayLine(std::string_view item) {
  std::array<std::size_t, 6> sep{};
  sep[0] = item.find('|');
  if (sep[0] == npos) return std::nullopt;
  for (std::size_t k = 1; k < sep.size(); ++k) {
    const std::size_t from = sep[k - 1] + 2;
    sep[k] = from < item.size() ? item.find('|', from) : npos;
    if (sep[k] == npos) return std::nullopt;
  }
  const auto field = [&](std::size_t k) {
    return item.substr(sep[k - 1] + 1, sep[k] - sep[k - 1] - 1);
  };
  return RunwayLine{field(1), field(2), field(3), field(5)};
}

}  // namespace lookup

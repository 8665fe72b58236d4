// SPDX-License-Identifier: MIT
#pragma once

// The layout of airports.txt, as the program reads it and the importer
// writes it. The file is a run of blocks: an airport line, its runway lines,
// then an empty line that closes the block. A line is fields, each closed by
// kFieldSeparator; fields are counted from 0 and field 0 is never shown.

#include <cstddef>
#include <string_view>

namespace lookup::format {

inline constexpr char kFieldSeparator = '|';
// What the importer ends every line with; the reader also takes a bare LF or
// a bare CR.
inline constexpr std::string_view kLineEnd = "\r\n";

// A comma, CR or LF ends an item, the unit the reader cuts the file into: a
// comma inside a line cuts it in two.
constexpr bool isItemEnd(char c) {
  return c == ',' || c == '\r' || c == '\n';
}

// The fields of an airport line.
enum class AirportField : std::size_t {
  SearchKeys,
  Icao,
  Name,
  Latitude,   // millionths of a degree, "45500000"
  Longitude,  // "-9250000"
  ElevationFt,
  Municipality,
  IataCode,  // kNoIataCode for none
  Country,
};
inline constexpr std::size_t kAirportFieldCount = 9;

// The fields of a runway line. Field 0 stays empty, so a search for an
// airport's name or code never lands on a runway line.
enum class RunwayField : std::size_t {
  Unused,
  Designator,
  Orientation,
  LengthFt,
  WidthFt,  // not read by the program
  IlsFrequency,
};
inline constexpr std::size_t kRunwayFieldCount = 6;

// The longest item the program holds; a longer one is read over and never
// matches.
inline constexpr std::size_t kMaxItemBytes = 65536;

// Field IataCode of an airport without an IATA code.
inline constexpr std::string_view kNoIataCode = "--";

// The most runways of a block the program keeps; the importer writes no more.
inline constexpr std::size_t kMaxRunways = 100;

constexpr std::size_t index(AirportField field) {
  return static_cast<std::size_t>(field);
}
constexpr std::size_t index(RunwayField field) {
  return static_cast<std::size_t>(field);
}

}  // namespace lookup::format

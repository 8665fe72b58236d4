// SPDX-License-Identifier: MIT
#pragma once

// The rows of the OurAirports files that the conversion needs. Columns are
// found by their header names, so their order and any further columns do
// not matter. Every value is the UTF-8 text of the file, unchanged.

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/error.h"

namespace importer {

// The three OurAirports files, by their names there.
inline constexpr const char* kAirportsCsv = "airports.csv";
inline constexpr const char* kRunwaysCsv = "runways.csv";
inline constexpr const char* kCountriesCsv = "countries.csv";

struct AirportRow {
  std::size_t line = 0;  // where the row starts in airports.csv
  std::string id;
  std::string ident;
  std::string type;  // "large_airport", "closed", ...
  std::string name;
  std::string latitudeDeg;
  std::string longitudeDeg;
  std::string elevationFt;
  std::string isoCountry;
  std::string municipality;
  std::string gpsCode;
  std::string iataCode;
  std::string localCode;
  std::string icaoCode;          // empty where the file has no such column
  std::string keywords;          // comma-separated
  std::string scheduledService;  // "yes" for an airport with airline service
};

struct RunwayRow {
  std::size_t line = 0;
  std::string airportRef;  // the airport's id
  std::string lengthFt;
  std::string widthFt;
  std::string closed;  // "1" for a closed runway
  std::string leIdent;
  std::string leHeadingDegT;
  std::string heIdent;
  std::string heHeadingDegT;
};

// Called now and then while a file is read, with the file name and the
// number of records read so far, and once more when the file is done.
using ProgressCallback =
    std::function<void(const std::string& fileName, std::size_t records, bool done)>;

class CsvReader;

// Each reads one file record by record from reader, handing each row on
// as it is read (the handler may take its strings), so the rows are never
// held together. They stop at the first fault and return it: a file that
// is not CSV, that lacks a column they need, or whose record has another
// number of fields than its header.
std::optional<common::Error> forEachAirportRow(CsvReader& reader, const std::string& fileName,
                                               const ProgressCallback& progress,
                                               const std::function<void(AirportRow&)>& onRow);
std::optional<common::Error> forEachRunwayRow(CsvReader& reader, const std::string& fileName,
                                              const ProgressCallback& progress,
                                              const std::function<void(RunwayRow&)>& onRow);
// Country name by its ISO code ("CH" -> "Switzerland"), or the fault.
using CountryNames = std::map<std::string, std::string>;
common::Expected<CountryNames> readCountryNames(CsvReader& reader, const std::string& fileName,
                                                const ProgressCallback& progress = {});

// The same for a whole text of one file, kept in memory.
common::Expected<std::vector<AirportRow>> readAirportRows(std::string_view text,
                                                          const std::string& fileName,
                                                          const ProgressCallback& progress = {});
common::Expected<std::vector<RunwayRow>> readRunwayRows(std::string_view text,
                                                        const std::string& fileName,
                                                        const ProgressCallback& progress = {});
common::Expected<CountryNames> readCountryNames(std::string_view text, const std::string& fileName,
                                                const ProgressCallback& progress = {});

}  // namespace importer

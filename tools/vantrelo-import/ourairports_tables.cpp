// SPDX-License-Identifier: MIT
#include "ourairports_tables.h"

#include <optional>

#include "csv_reader.h"

namespace importer {
namespace {

constexpr std::size_t kProgressEvery = 10000;

// Reads the header and finds the columns in it (makeColumns), then calls
// onRecord for every record with the columns, checking each field count.
template <typename MakeColumns, typename OnRecord>
void forEachRecord(CsvReader& reader, const std::string& fileName, const ProgressCallback& progress,
                   MakeColumns makeColumns, OnRecord onRecord) {
  CsvRecord record;
  if (!reader.next(record)) throw CsvError(fileName, 1, "the file is empty, it has no header");
  const CsvHeader header(record, fileName);
  const auto columns = makeColumns(header);
  std::size_t count = 0;
  while (reader.next(record)) {
    if (record.fields.size() != header.columnCount()) {
      throw CsvError(fileName, record.line,
                     "the record has " + std::to_string(record.fields.size()) +
                         " fields, the header " + std::to_string(header.columnCount()));
    }
    onRecord(record, columns);
    ++count;
    if (progress && count % kProgressEvery == 0) progress(fileName, count, false);
  }
  if (progress) progress(fileName, count, true);
}

// The value of an optional column, empty where the file has no such column.
std::string valueOr(const CsvRecord& record, std::optional<std::size_t> column) {
  return column ? record.fields[*column] : std::string();
}

}  // namespace

void forEachAirportRow(CsvReader& reader, const std::string& fileName,
                       const ProgressCallback& progress,
                       const std::function<void(AirportRow&)>& onRow) {
  struct Columns {
    std::size_t id, ident, type, name, latitude, longitude;
    std::optional<std::size_t> elevation, country, municipality, gps, iata, local, icao, keywords;
    std::optional<std::size_t> scheduled;
  };
  const auto findColumns = [](const CsvHeader& header) {
    return Columns{header.required("id"),
                   header.required("ident"),
                   header.required("type"),
                   header.required("name"),
                   header.required("latitude_deg"),
                   header.required("longitude_deg"),
                   header.optional("elevation_ft"),
                   header.optional("iso_country"),
                   header.optional("municipality"),
                   header.optional("gps_code"),
                   header.optional("iata_code"),
                   header.optional("local_code"),
                   header.optional("icao_code"),
                   header.optional("keywords"),
                   header.optional("scheduled_service")};
  };
  forEachRecord(reader, fileName, progress, findColumns, [&](CsvRecord& record, const Columns& c) {
    const auto& f = record.fields;
    AirportRow row{record.line,
                   f[c.id],
                   f[c.ident],
                   f[c.type],
                   f[c.name],
                   f[c.latitude],
                   f[c.longitude],
                   valueOr(record, c.elevation),
                   valueOr(record, c.country),
                   valueOr(record, c.municipality),
                   valueOr(record, c.gps),
                   valueOr(record, c.iata),
                   valueOr(record, c.local),
                   valueOr(record, c.icao),
                   valueOr(record, c.keywords),
                   valueOr(record, c.scheduled)};
    onRow(row);
  });
}

std::vector<AirportRow> readAirportRows(std::string_view text, const std::string& fileName,
                                        const ProgressCallback& progress) {
  std::vector<AirportRow> rows;
  CsvReader reader(text, fileName);
  forEachAirportRow(reader, fileName, progress,
                    [&rows](AirportRow& row) { rows.push_back(std::move(row)); });
  return rows;
}

void forEachRunwayRow(CsvReader& reader, const std::string& fileName,
                      const ProgressCallback& progress,
                      const std::function<void(RunwayRow&)>& onRow) {
  struct Columns {
    std::size_t airportRef, length, leIdent;
    std::optional<std::size_t> width, closed, leHeading, heIdent, heHeading;
  };
  const auto findColumns = [](const CsvHeader& header) {
    return Columns{header.required("airport_ref"), header.required("length_ft"),
                   header.required("le_ident"),    header.optional("width_ft"),
                   header.optional("closed"),      header.optional("le_heading_degT"),
                   header.optional("he_ident"),    header.optional("he_heading_degT")};
  };
  forEachRecord(reader, fileName, progress, findColumns, [&](CsvRecord& record, const Columns& c) {
    const auto& f = record.fields;
    RunwayRow row{record.line,
                  f[c.airportRef],
                  f[c.length],
                  valueOr(record, c.width),
                  valueOr(record, c.closed),
                  f[c.leIdent],
                  valueOr(record, c.leHeading),
                  valueOr(record, c.heIdent),
                  valueOr(record, c.heHeading)};
    onRow(row);
  });
}

std::vector<RunwayRow> readRunwayRows(std::string_view text, const std::string& fileName,
                                      const ProgressCallback& progress) {
  std::vector<RunwayRow> rows;
  CsvReader reader(text, fileName);
  forEachRunwayRow(reader, fileName, progress,
                   [&rows](RunwayRow& row) { rows.push_back(std::move(row)); });
  return rows;
}

std::map<std::string, std::string> readCountryNames(CsvReader& reader, const std::string& fileName,
                                                    const ProgressCallback& progress) {
  std::map<std::string, std::string> names;
  struct Columns {
    std::size_t code, name;
  };
  const auto findColumns = [](const CsvHeader& header) {
    return Columns{header.required("code"), header.required("name")};
  };
  forEachRecord(reader, fileName, progress, findColumns,
                [&](const CsvRecord& record, const Columns& c) {
                  names[record.fields[c.code]] = record.fields[c.name];
                });
  return names;
}

std::map<std::string, std::string> readCountryNames(std::string_view text,
                                                    const std::string& fileName,
                                                    const ProgressCallback& progress) {
  CsvReader reader(text, fileName);
  return readCountryNames(reader, fileName, progress);
}

}  // namespace importer

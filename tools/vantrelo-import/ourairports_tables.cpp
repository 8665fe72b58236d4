// SPDX-License-Identifier: MIT
#include "ourairports_tables.h"

#include <optional>

#include "csv_reader.h"

namespace importer {
namespace {

constexpr std::size_t kProgressEvery = 10000;

// Looks the columns of a header up by name, keeping the first required one
// that is missing.
class ColumnFinder {
 public:
  explicit ColumnFinder(const CsvHeader& header) : m_header(header) {}

  std::size_t required(std::string_view name) {
    const common::Expected<std::size_t> column = m_header.required(name);
    if (column) return *column;
    if (!m_missing) m_missing = column.error();
    return 0;
  }
  std::optional<std::size_t> optional(std::string_view name) const {
    return m_header.optional(name);
  }
  const std::optional<common::Error>& missing() const { return m_missing; }

 private:
  const CsvHeader& m_header;
  std::optional<common::Error> m_missing;
};

// Reads the header and finds the columns in it (makeColumns), then calls
// onRecord for every record with the columns, checking each field count.
// Stops at the first fault of the file and returns it.
template <typename MakeColumns, typename OnRecord>
std::optional<common::Error> forEachRecord(CsvReader& reader, const std::string& fileName,
                                           const ProgressCallback& progress,
                                           MakeColumns makeColumns, OnRecord onRecord) {
  CsvRecord record;
  if (!reader.next(record)) {
    if (reader.failure()) return reader.failure();
    return csvError(fileName, 1, "the file is empty, it has no header");
  }
  const CsvHeader header(record, fileName);
  ColumnFinder finder(header);
  const auto columns = makeColumns(finder);
  if (finder.missing()) return finder.missing();
  std::size_t count = 0;
  while (reader.next(record)) {
    if (record.fields.size() != header.columnCount()) {
      return csvError(fileName, record.line,
                      "the record has " + std::to_string(record.fields.size()) +
                          " fields, the header " + std::to_string(header.columnCount()));
    }
    onRecord(record, columns);
    ++count;
    if (progress && count % kProgressEvery == 0) progress(fileName, count, false);
  }
  if (reader.failure()) return reader.failure();
  if (progress) progress(fileName, count, true);
  return std::nullopt;
}

// The value of an optional column, empty where the file has no such column.
std::string valueOr(const CsvRecord& record, std::optional<std::size_t> column) {
  return column ? record.fields[*column] : std::string();
}

// The rows forEachRow reads from a whole text, kept together.
template <typename Row, typename ForEachRow>
common::Expected<std::vector<Row>> collectRows(std::string_view text, const std::string& fileName,
                                               const ProgressCallback& progress,
                                               ForEachRow forEachRow) {
  std::vector<Row> rows;
  CsvReader reader(text, fileName);
  if (auto failure = forEachRow(reader, fileName, progress,
                                [&rows](Row& row) { rows.push_back(std::move(row)); })) {
    return *failure;
  }
  return rows;
}

}  // namespace

std::optional<common::Error> forEachAirportRow(CsvReader& reader, const std::string& fileName,
                                               const ProgressCallback& progress,
                                               const std::function<void(AirportRow&)>& onRow) {
  struct Columns {
    std::size_t id, ident, type, name, latitude, longitude;
    std::optional<std::size_t> elevation, country, municipality, gps, iata, local, icao, keywords;
    std::optional<std::size_t> scheduled;
  };
  const auto findColumns = [](ColumnFinder& header) {
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
  return forEachRecord(reader, fileName, progress, findColumns,
                       [&](CsvRecord& record, const Columns& c) {
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

common::Expected<std::vector<AirportRow>> readAirportRows(std::string_view text,
                                                          const std::string& fileName,
                                                          const ProgressCallback& progress) {
  return collectRows<AirportRow>(text, fileName, progress, forEachAirportRow);
}

std::optional<common::Error> forEachRunwayRow(CsvReader& reader, const std::string& fileName,
                                              const ProgressCallback& progress,
                                              const std::function<void(RunwayRow&)>& onRow) {
  struct Columns {
    std::size_t airportRef, length, leIdent;
    std::optional<std::size_t> width, closed, leHeading, heIdent, heHeading;
  };
  const auto findColumns = [](ColumnFinder& header) {
    return Columns{header.required("airport_ref"), header.required("length_ft"),
                   header.required("le_ident"),    header.optional("width_ft"),
                   header.optional("closed"),      header.optional("le_heading_degT"),
                   header.optional("he_ident"),    header.optional("he_heading_degT")};
  };
  return forEachRecord(reader, fileName, progress, findColumns,
                       [&](CsvRecord& record, const Columns& c) {
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

common::Expected<std::vector<RunwayRow>> readRunwayRows(std::string_view text,
                                                        const std::string& fileName,
                                                        const ProgressCallback& progress) {
  return collectRows<RunwayRow>(text, fileName, progress, forEachRunwayRow);
}

common::Expected<CountryNames> readCountryNames(CsvReader& reader, const std::string& fileName,
                                                const ProgressCallback& progress) {
  std::map<std::string, std::string> names;
  struct Columns {
    std::size_t code, name;
  };
  const auto findColumns = [](ColumnFinder& header) {
    return Columns{header.required("code"), header.required("name")};
  };
  if (auto failure = forEachRecord(reader, fileName, progress, findColumns,
                                   [&](const CsvRecord& record, const Columns& c) {
                                     names[record.fields[c.code]] = record.fields[c.name];
                                   })) {
    return *failure;
  }
  return names;
}

common::Expected<CountryNames> readCountryNames(std::string_view text, const std::string& fileName,
                                                const ProgressCallback& progress) {
  CsvReader reader(text, fileName);
  return readCountryNames(reader, fileName, progress);
}

}  // namespace importer

// SPDX-License-Identifier: MIT
#include "files/data_sheet.h"

#include "common/number_rules.h"
#include "common/text1252.h"
#include "files/atomic_file.h"
#include "lookup/result_display.h"
#include "vantrelo_version.h"

namespace files {

namespace {

constexpr std::size_t kMaxNameBytes = 255;  // of the UTF-8 name on disk
constexpr std::string_view kRule = "---------------------------------------------";

class SheetWriter {
 public:
  void line(std::string_view text) {
    m_bytes += text;
    m_bytes += "\r\n";
  }
  void line(std::string_view caption, std::string_view value) {
    m_bytes += caption;
    m_bytes += " = ";
    m_bytes += value;
    m_bytes += "\r\n";
  }
  std::string take() { return std::move(m_bytes); }

 private:
  std::string m_bytes;
};

// "/" and NUL the file system refuses; control characters (ESC, BEL, TAB,
// DEL) it takes, but a listing on a terminal would obey them.
bool isRefusedInName(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return c == '/' || byte < 0x20 || byte == 0x7F;
}

std::size_t utf8Length(char c) {
  return static_cast<unsigned char>(c) < 0x80 ? 1 : 3;
}

}  // namespace

std::string dataSheetFileName(std::string_view icao, std::string_view airportName) {
  std::string stem(icao);
  stem += "  ";
  stem += airportName;
  for (char& c : stem) {
    if (isRefusedInName(c)) c = '_';
  }
  // A hidden file, or a name a shell command would take for an option.
  if (!stem.empty() && (stem.front() == '.' || stem.front() == '-')) stem.front() = '_';
  constexpr std::string_view kSuffix = ".txt";
  std::size_t bytes = kSuffix.size();
  std::size_t keep = 0;
  // Windows-1252 characters above 0x7F take two or three bytes in UTF-8;
  // counting three keeps the bound safe.
  while (keep < stem.size() && bytes + utf8Length(stem[keep]) <= kMaxNameBytes) {
    bytes += utf8Length(stem[keep]);
    ++keep;
  }
  stem.resize(keep);
  stem += kSuffix;
  return stem;
}

DataSheet makeDataSheet(const lookup::FoundAirport& found, const common::Captions& captions) {
  const lookup::AirportRecord& record = found.record;
  const std::string& icao = record.icao;
  const std::string& name = record.airportName;

  SheetWriter sheet;
  sheet.line(captions.airport + " " + name);
  sheet.line(common::toUpper1252(record.municipality) + "   " + record.country + "   " +
             record.iataCode);
  sheet.line(found.latitudeText);
  sheet.line(found.longitudeText);
  sheet.line("\r");
  sheet.line("ICAO = " + icao);
  sheet.line("\r");
  sheet.line(captions.elevation, lookup::formatElevation(record.elevationFt));
  sheet.line(kRule);
  sheet.line(captions.runways, common::numberText(static_cast<double>(found.runways.size())));
  sheet.line(kRule);
  for (const lookup::Runway& runway : found.runways) {
    sheet.line(captions.runway, runway.designator);
    sheet.line(captions.runwayOrientation, runway.orientation + "\xB0");
    const double metres = lookup::runwayLengthMetres(runway.lengthFt);
    sheet.line(captions.runwayLength,
               runway.lengthFt + " ft. (" + common::numberText(metres) + " Mt.)");
    if (lookup::hasIlsFrequency(runway.ilsFrequency)) {
      sheet.line(captions.ilsFrequency, runway.ilsFrequency);
    }
    sheet.line(kRule);
  }
  sheet.line("\r");
  sheet.line("\r");
  sheet.line("Vantrelo " + std::string(common::kVersionMark));
  return DataSheet{dataSheetFileName(icao, name), sheet.take()};
}

std::optional<common::Error> writeDataSheet(const DataSheet& sheet) {
  return writeFileAtomically(std::filesystem::path(common::cp1252ToUtf8(sheet.fileName)),
                             sheet.bytes);
}

}  // namespace files

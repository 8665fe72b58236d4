// SPDX-License-Identifier: MIT
// The bundled world database as the program reads it: every item through the
// program's own reader and splits, every coordinate decoded back and compared
// with the OurAirports file it came from.

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "common/number_rules.h"
#include "common/text1252.h"
#include "csv_reader.h"
#include "lookup/airport_database.h"
#include "lookup/airport_line.h"
#include "lookup/coordinate.h"
#include "ourairports_tables.h"
#include "value_or_failure.h"

namespace {

namespace fs = std::filesystem;

const fs::path kDatabase = VANTRELO_BUNDLED_DATABASE;
const fs::path kSourceDir = VANTRELO_OURAIRPORTS_DIR;

struct Block {
  lookup::AirportRecord airport;
  std::vector<std::string> runwayLines;
};

// The blocks of the database, read item by item as the search reads them;
// fails the test at the first item that breaks the layout.
std::vector<Block> readBlocks() {
  lookup::AirportDatabase database(kDatabase.string());
  const auto failure = database.open();
  EXPECT_FALSE(failure) << kDatabase << ": " << failure->reason;
  std::vector<Block> blocks;
  bool inBlock = false;
  std::size_t itemNumber = 0;
  while (!database.atEnd()) {
    const lookup::Item item = database.readItem();
    ++itemNumber;
    const std::string text(item.text);
    EXPECT_FALSE(item.oversized) << "item " << itemNumber;
    if (text.empty()) {
      EXPECT_TRUE(inBlock) << "item " << itemNumber << ": empty line outside a block";
      inBlock = false;
      continue;
    }
    if (!inBlock) {
      const auto record = lookup::splitAirportLine(text);
      if (!record) {
        ADD_FAILURE() << "item " << itemNumber << " is no airport line: " << text;
        return blocks;
      }
      blocks.push_back({*record, {}});
      inBlock = true;
      continue;
    }
    blocks.back().runwayLines.push_back(text);
  }
  EXPECT_FALSE(inBlock) << "the last block is not closed by an empty line";
  return blocks;
}

bool isDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Optional "-", whole degrees (at least one digit), then six digits.
bool isCoordinateField(std::string_view field, std::size_t maxWholeDigits) {
  if (!field.empty() && field.front() == '-') field.remove_prefix(1);
  return isDigits(field) && field.size() >= 7 && field.size() <= 6 + maxWholeDigits;
}

TEST(BundledDatabase, HasCrLfLinesAndNoCommaOrQuote) {
  std::ifstream in(kDatabase, std::ios::binary);
  ASSERT_TRUE(in) << kDatabase;
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_FALSE(bytes.empty());
  EXPECT_EQ(bytes.find(','), std::string::npos);
  EXPECT_EQ(bytes.find('"'), std::string::npos);
  std::size_t lines = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r') {
      ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at byte " << i;
    } else if (bytes[i] == '\n') {
      ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at byte " << i;
      ++lines;
    }
  }
  EXPECT_EQ(bytes.substr(bytes.size() - 5), "|\r\n\r\n");  // the last block closed too
  EXPECT_GT(lines, 10000u);
}

TEST(BundledDatabase, EveryLineSplitsAsTheProgramReadsIt) {
  const auto blocks = readBlocks();
  ASSERT_GT(blocks.size(), 5000u);
  std::size_t runwayLines = 0;
  for (const Block& block : blocks) {
    const auto& a = block.airport;
    SCOPED_TRACE(a.icao);
    EXPECT_FALSE(a.icao.empty());
    EXPECT_TRUE(isCoordinateField(a.latitudeField, 2)) << a.latitudeField;
    EXPECT_TRUE(isCoordinateField(a.longitudeField, 3)) << a.longitudeField;
    if (!a.elevationFt.empty()) {
      EXPECT_TRUE(common::parseNumber(a.elevationFt)) << a.elevationFt;
    }
    EXPECT_FALSE(a.iataCode.empty());
    EXPECT_LE(block.runwayLines.size(), 100u);
    for (const std::string& line : block.runwayLines) {
      const auto runway = lookup::splitRunwayLine(line);
      ASSERT_TRUE(runway.has_value()) << line;
      // A runway line never passes for an airport line when a search lands on it.
      EXPECT_FALSE(lookup::isSplittableAirportLine(line)) << line;
      EXPECT_TRUE(common::parseNumber(runway->lengthFt)) << line;
      EXPECT_GT(common::parseNumber(runway->lengthFt).value_or(0), 0) << line;
      EXPECT_TRUE(isDigits(runway->orientation) && runway->orientation.size() == 3) << line;
      const int orientation = std::stoi(std::string(runway->orientation));
      EXPECT_TRUE(orientation >= 1 && orientation <= 360) << line;
      EXPECT_EQ(runway->ilsFrequency, "0") << line;
      EXPECT_EQ(std::count(line.begin(), line.end(), '|'), 6) << line;
    }
    runwayLines += block.runwayLines.size();
  }
  EXPECT_GT(runwayLines, 10000u);
}

double valueOf(const std::string& text) {
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  EXPECT_EQ(result.ec, std::errc()) << text;
  return value;
}

TEST(BundledDatabase, CoordinatesDecodeToTheSourceValues) {
  const fs::path airportsCsv = kSourceDir / "airports.csv";
  const std::string text = valueOrFailure(importer::readWholeFile(airportsCsv));
  std::map<std::string, const importer::AirportRow*> sourceByCode;
  const auto rows = valueOrFailure(importer::readAirportRows(text, airportsCsv.string()));
  std::size_t chosen = 0;
  for (const auto& row : rows) {
    if (row.type != "large_airport" && row.type != "medium_airport") continue;
    ++chosen;
    // Codes are written in upper case ("rjns" is RJNS).
    const std::string code = common::toUpper1252(row.icaoCode.empty() ? row.ident : row.icaoCode);
    EXPECT_TRUE(sourceByCode.emplace(code, &row).second) << "code twice: " << code;
  }

  const auto blocks = readBlocks();
  EXPECT_EQ(blocks.size(), chosen);
  std::size_t compared = 0;
  for (const Block& block : blocks) {
    const auto source = sourceByCode.find(block.airport.icao);
    if (source == sourceByCode.end()) {
      ADD_FAILURE() << block.airport.icao << " is not in " << airportsCsv;
      continue;
    }
    const double latDeg =
        lookup::decodeCoordinate(block.airport.latitudeField, lookup::CoordinateKind::Latitude)
            .degrees;
    const double lonDeg =
        lookup::decodeCoordinate(block.airport.longitudeField, lookup::CoordinateKind::Longitude)
            .degrees;
    EXPECT_LE(std::fabs(latDeg - valueOf(source->second->latitudeDeg)), 0.000001)
        << block.airport.icao << " " << block.airport.latitudeField;
    EXPECT_LE(std::fabs(lonDeg - valueOf(source->second->longitudeDeg)), 0.000001)
        << block.airport.icao << " " << block.airport.longitudeField;
    sourceByCode.erase(source);  // each airport once
    ++compared;
  }
  EXPECT_EQ(compared, chosen);
}

// A "?" stands for a character with no Latin form; an accent or an
// apostrophe of a transliterated name never becomes one.
TEST(BundledDatabase, HoldsNoQuestionMarkItsSourceLacks) {
  const fs::path airportsCsv = kSourceDir / "airports.csv";
  std::map<std::string, bool> sourceHasMark;  // by code as written
  const std::string csv = valueOrFailure(importer::readWholeFile(airportsCsv));
  for (const auto& row : valueOrFailure(importer::readAirportRows(csv, airportsCsv.string()))) {
    const std::string text = row.name + row.municipality + row.keywords + row.gpsCode +
                             row.localCode + row.iataCode + row.ident;
    const std::string code = common::toUpper1252(row.icaoCode.empty() ? row.ident : row.icaoCode);
    sourceHasMark[code] = text.find('?') != std::string::npos;
  }
  std::ifstream in(kDatabase, std::ios::binary);
  ASSERT_TRUE(in) << kDatabase;
  std::size_t linesWithMark = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.find('?') == std::string::npos) continue;
    ++linesWithMark;
    const auto record = lookup::splitAirportLine(line);
    ASSERT_TRUE(record) << line;
    EXPECT_TRUE(sourceHasMark[std::string(record->icao)]) << line;
  }
  EXPECT_LT(linesWithMark, 10u);
}

}  // namespace

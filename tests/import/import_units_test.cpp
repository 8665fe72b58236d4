// SPDX-License-Identifier: MIT
// The parts of the OurAirports importer one by one: CSV reading, the text of
// database fields, coordinates, runway orientations, the conversion of rows
// and the choice of airports.

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "airport_conversion.h"
#include "common/text1252.h"
#include "csv_reader.h"
#include "database_writer.h"
#include "importer.h"
#include "lookup/airport_database.h"
#include "lookup/database_format.h"
#include "ourairports_tables.h"
#include "temp_dir.h"
#include "text_folding.h"

namespace {

using importer::CsvReader;
using importer::CsvRecord;

std::vector<CsvRecord> readAll(std::string_view text) {
  CsvReader reader(text, "t.csv");
  std::vector<CsvRecord> records;
  CsvRecord record;
  while (reader.next(record))
    records.push_back(record);
  EXPECT_FALSE(reader.failure()) << reader.failure()->reason;
  return records;
}

std::vector<std::vector<std::string>> fieldsOf(std::string_view text) {
  std::vector<std::vector<std::string>> fields;
  for (const auto& record : readAll(text))
    fields.push_back(record.fields);
  return fields;
}

// The fault the reader meets in a text, as it words it.
std::string csvErrorOf(std::string_view text) {
  CsvReader reader(text, "t.csv");
  CsvRecord record;
  while (reader.next(record)) {
  }
  const bool stays = !reader.next(record);  // a reader that failed reads no more
  EXPECT_TRUE(stays);
  return reader.failure() ? reader.failure()->reason : "no error";
}

TEST(CsvReader, SplitsPlainAndQuotedFields) {
  using Fields = std::vector<std::vector<std::string>>;
  EXPECT_EQ(fieldsOf("a,b,c\r\n1,,3\r\n"), (Fields{{"a", "b", "c"}, {"1", "", "3"}}));
  EXPECT_EQ(fieldsOf(R"(12,"Kennedy, ""JFK""",x)"), (Fields{{"12", "Kennedy, \"JFK\"", "x"}}));
  EXPECT_EQ(fieldsOf("\"\",\"\"\"\""), (Fields{{"", "\""}}));
  EXPECT_EQ(fieldsOf("a,"), (Fields{{"a", ""}}));
}

TEST(CsvReader, KeepsLineEndsInsideQuotesAndCountsLines) {
  const auto records = readAll("h1,h2\n\"two\r\nlines\",x\n\nlast,y");
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[1].fields[0], "two\r\nlines");
  EXPECT_EQ(records[0].line, 1u);
  EXPECT_EQ(records[1].line, 2u);
  EXPECT_EQ(records[2].line, 5u);  // after the quoted line end and the empty line
}

TEST(CsvReader, TakesEveryKindOfLineEndAndSkipsAByteOrderMark) {
  using Fields = std::vector<std::vector<std::string>>;
  EXPECT_EQ(fieldsOf("\xEF\xBB\xBFid\ra\nb\r\nc"), (Fields{{"id"}, {"a"}, {"b"}, {"c"}}));
}

TEST(CsvReader, ReportsWhereAndWhyItCannotRead) {
  EXPECT_EQ(csvErrorOf("a,b\n1,\"open\n2,3\n"), "t.csv:2: unclosed quote");
  // The next quote closes it, lines later; what follows is no separator.
  EXPECT_EQ(csvErrorOf("a,b\n1,\"open\n2,\"3\"\n"), "t.csv:2: unclosed quote");
  EXPECT_EQ(csvErrorOf("a,b\n\n1,\"x\"y\n"),
            "t.csv:3: text after the closing double quote of a field");
  EXPECT_EQ(csvErrorOf("a\nsay \"hi\"\n"),
            "t.csv:2: double quote inside a field that is not quoted");
}

// A disk that fails half-way must not look like the end of the file: the
// database would hold half the airports.
TEST(CsvReader, AFailingReadIsAFaultNotTheEnd) {
  if (!testing_support::readFailsWithEio("/proc/self/mem")) GTEST_SKIP() << "no EIO to be had";
  CsvReader reader(std::filesystem::path("/proc/self/mem"), "mem.csv");
  CsvRecord record;
  EXPECT_FALSE(reader.next(record));
  ASSERT_TRUE(reader.failure());
  EXPECT_EQ(reader.failure()->reason, "mem.csv: Input/output error");
  const auto failure =
      importer::forEachAirportRow(reader, "mem.csv", {}, [](importer::AirportRow&) {});
  ASSERT_TRUE(failure) << "the fault is handed on, not taken for an empty file";
  EXPECT_EQ(failure->reason, "mem.csv: Input/output error");
}

TEST(CsvHeader, FindsColumnsByName) {
  const auto records = readAll("\"id\",\"name\",\"code\"\n");
  const importer::CsvHeader header(records.at(0), "t.csv");
  EXPECT_EQ(*header.required("code"), 2u);
  EXPECT_EQ(header.optional("name"), 1u);
  EXPECT_FALSE(header.optional("icao_code").has_value());
  const auto missing = header.required("latitude_deg");
  ASSERT_FALSE(missing) << "a missing column must be an error";
  EXPECT_EQ(missing.error().reason, "t.csv:1: no column named \"latitude_deg\" in the header");
}

TEST(OurAirportsTables, RefuseARecordWithAnotherFieldCount) {
  const std::string text = "code,name\nCH,Switzerland\nIT,Italy,extra\n";
  const auto names = importer::readCountryNames(text, "countries.csv");
  ASSERT_FALSE(names) << "expected an error";
  EXPECT_EQ(names.error().reason, "countries.csv:3: the record has 3 fields, the header 2");
}

TEST(OurAirportsTables, FindColumnsInAnyOrderAndTellProgress) {
  const std::string text =
      "keywords,latitude_deg,name,type,ident,id,longitude_deg,scheduled_service\n"
      "\"Idlewild, IDL\",40.6,\"Kennedy\",large_airport,KJFK,3622,-73.7,yes\n";
  std::vector<std::pair<std::size_t, bool>> calls;
  const auto rows = importer::readAirportRows(
      text, "a.csv", [&](const std::string& file, std::size_t records, bool done) {
        EXPECT_EQ(file, "a.csv");
        calls.emplace_back(records, done);
      });
  ASSERT_TRUE(rows) << rows.error().reason;
  ASSERT_EQ(rows->size(), 1u);
  const importer::AirportRow& row = rows->front();
  EXPECT_EQ(row.ident, "KJFK");
  EXPECT_EQ(row.id, "3622");
  EXPECT_EQ(row.keywords, "Idlewild, IDL");
  EXPECT_EQ(row.longitudeDeg, "-73.7");
  EXPECT_EQ(row.line, 2u);
  EXPECT_EQ(row.elevationFt, "");  // no such column
  EXPECT_EQ(row.scheduledService, "yes");
  EXPECT_EQ(calls, (std::vector<std::pair<std::size_t, bool>>{{1, true}}));
}

std::string utf8Of(std::string_view cp1252) {
  return common::cp1252ToUtf8(cp1252);
}

struct TextCase {
  const char* name;
  const char* input;     // UTF-8
  const char* expected;  // UTF-8 of the Windows-1252 result
};

void PrintTo(const TextCase& c, std::ostream* os) {
  *os << c.name;
}

class DatabaseText : public testing::TestWithParam<TextCase> {};

TEST_P(DatabaseText, IsUpperCaseWindows1252) {
  const auto& c = GetParam();
  EXPECT_EQ(utf8Of(importer::databaseText(c.input)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Importer, DatabaseText,
    testing::Values(
        TextCase{"Plain", "John F Kennedy International Airport",
                 "JOHN F KENNEDY INTERNATIONAL AIRPORT"},
        TextCase{"KeepsWindows1252Accents", "Zürich Aéroport Łódź", "ZÜRICH AÉROPORT LÓDZ"},
        TextCase{"TransliteratesLatinLetters", "Gdańsk Wałęsa Şanlıurfa Đà Nẵng",
                 "GDANSK WALESA SANLIURFA DÀ NANG"},
        TextCase{"TransliteratesOtherScripts", "Moscow Москва 北京 Airport",
                 "MOSCOW MOSKVA BEI JING AIRPORT"},
        TextCase{"KeepsNoSeparatorFromATransliteration", "القاهرة، مصر", "ALQAHRT MSR"},
        TextCase{"RemovesQuotesCommasAndBars", "Szczecin \"Solidarność\", A|B “x”",
                 "SZCZECIN SOLIDARNOSC A B X"},
        TextCase{"CollapsesAndTrimsBlanks", "  a \t b\r\n c\u00A0d  ", "A B C D"},
        TextCase{"ComposesCombiningMarksAndDropsControls", "Cafe\u0301\u0007\u200B!", "CAFÉ!"},
        TextCase{"MapsOkinaAndDashes", "Hawaiʻi \u2010 Kona–Keahole", "HAWAI'I - KONA–KEAHOLE"},
        TextCase{"UpperCasesWhatHasAnUpperCase", "ÿ š œ ž ß µ", "Ÿ Š Œ Ž ß µ"},
        TextCase{"MarksInvalidUtf8",
                 "a\xC3(b\xFF"
                 "c",
                 "A?(B?C"},
        TextCase{"EmptyStaysEmpty", "", ""}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(LatinLetters, KnowsTheLettersWindows1252Lacks) {
  const auto plain = [](const char* utf8) { return utf8Of(common::utf8ToCp1252(utf8)); };
  EXPECT_EQ(plain("Ł"), "L");
  EXPECT_EQ(plain("ş"), "s");
  EXPECT_EQ(plain("ı"), "i");
  EXPECT_EQ(plain("ǆ"), "dz");
  EXPECT_EQ(plain("ế"), "e");
  EXPECT_EQ(plain("ə"), "e");
  EXPECT_EQ(plain("ɔ ʒ Ɣ"), "o z G");
  EXPECT_EQ(plain("ỹ"), "y");
  EXPECT_EQ(plain("é"), "é");  // Windows-1252 has it
  EXPECT_EQ(plain("Ж"), "Ž");  // Latin, and Windows-1252 has it
  EXPECT_EQ(plain("\U0010FFFF"), "?");
}

TEST(FoldedText, TakesAccentsOffLetters) {
  const auto fold = [](const char* utf8) {
    return utf8Of(importer::foldedText(common::utf8ToCp1252(utf8)));
  };
  EXPECT_EQ(fold("ZÜRICH"), "ZURICH");
  EXPECT_EQ(fold("SÃO PAULO ÆRØ ÞING ÐÑÇ"), "SAO PAULO AERO THING DNC");
  EXPECT_EQ(fold("ŠŒŽŸ šœžÿ àéîõü"), "SOEZY soezy aeiou");
  EXPECT_EQ(fold("STRAß"), "STRASS");
  EXPECT_EQ(fold("ROME–FIUMICINO D’ARC"), "ROME-FIUMICINO D'ARC");
  EXPECT_EQ(fold("× ÷ ° plain 123"), "× ÷ ° plain 123");
}

struct CoordinateCase {
  const char* name;
  const char* decimal;
  int maxDegrees;
  const char* expected;  // "" for no field
};

void PrintTo(const CoordinateCase& c, std::ostream* os) {
  *os << c.name;
}

class CoordinateField : public testing::TestWithParam<CoordinateCase> {};

TEST_P(CoordinateField, RoundsToMillionths) {
  const auto& c = GetParam();
  const auto field = importer::coordinateField(c.decimal, c.maxDegrees);
  EXPECT_EQ(field.value_or(""), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Importer, CoordinateField,
    testing::Values(CoordinateCase{"SixDecimals", "40.639447", 90, "40639447"},
                    CoordinateCase{"FewerDecimals", "-9.428", 90, "-9428000"},
                    CoordinateCase{"WholeNumber", "-9", 180, "-9000000"},
                    CoordinateCase{"BelowOneDegree", "-0.461941", 180, "-0461941"},
                    CoordinateCase{"RoundsDown", "151.177001453125", 180, "151177001"},
                    CoordinateCase{"RoundsHalfAwayFromZero", "-92.0000005", 180, "-92000001"},
                    CoordinateCase{"CarriesIntoDegrees", "19.9999996", 90, "20000000"},
                    CoordinateCase{"TinyNegativeIsZero", "-0.0000004", 180, "0000000"},
                    CoordinateCase{"Zero", "0", 90, "0000000"},
                    CoordinateCase{"Exponent", "1.5e-6", 90, "0000002"},
                    CoordinateCase{"PlusSignAndBlanks", " +45.5 ", 90, "45500000"},
                    CoordinateCase{"Limit", "-180", 180, "-180000000"},
                    CoordinateCase{"BeyondLimit", "90.000001", 90, ""},
                    CoordinateCase{"NotANumber", "north", 90, ""},
                    CoordinateCase{"TwoPoints", "1.2.3", 90, ""},
                    CoordinateCase{"Empty", "", 90, ""}),
    [](const auto& param) { return std::string(param.param.name); });

struct OrientationCase {
  const char* name;
  const char* heading;
  const char* opposite;
  const char* designator;
  const char* expected;  // "" for none
};

void PrintTo(const OrientationCase& c, std::ostream* os) {
  *os << c.name;
}

class RunwayOrientation : public testing::TestWithParam<OrientationCase> {};

TEST_P(RunwayOrientation, IsThreeDigitsOfWholeDegrees) {
  const auto& c = GetParam();
  EXPECT_EQ(importer::runwayOrientation(c.heading, c.opposite, c.designator).value_or(""),
            c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Importer, RunwayOrientation,
    testing::Values(OrientationCase{"OwnHeading", "30.6", "210.6", "04R", "031"},
                    OrientationCase{"HalfRoundsUp", "45.5", "", "05", "046"},
                    OrientationCase{"NorthIs360", "359.5", "", "36", "360"},
                    OrientationCase{"AboveFullCircle", "362", "", "36", "002"},
                    OrientationCase{"OppositeHeadingTurnedRound", "", "211", "04L", "031"},
                    OrientationCase{"OppositeHeadingPastNorth", "", "350", "17", "170"},
                    OrientationCase{"FromNumberedDesignator", "", "", "04L", "040"},
                    OrientationCase{"FromOneDigitDesignator", "", "", "9", "090"},
                    OrientationCase{"FromDesignator36", "", "", "36R", "360"},
                    OrientationCase{"CompassDesignator", "", "", "NE", "045"},
                    OrientationCase{"CompassNorth", "", "", "N", "360"},
                    OrientationCase{"HelipadHasNone", "", "", "H1", ""},
                    OrientationCase{"NumberAbove36HasNone", "", "", "45", ""},
                    OrientationCase{"UnreadableHeadingFallsBack", "abc", "", "27", "270"},
                    OrientationCase{"AbsurdHeadingFallsBack", "1e300", "", "27", "270"}),
    [](const auto& param) { return std::string(param.param.name); });

importer::RunwayRow runwayRow(std::string length, std::string closed, std::string le,
                              std::string leHeading, std::string he, std::string heHeading) {
  importer::RunwayRow row;
  row.line = 2;
  row.airportRef = "1";
  row.lengthFt = std::move(length);
  row.widthFt = "150";
  row.closed = std::move(closed);
  row.leIdent = std::move(le);
  row.leHeadingDegT = std::move(leHeading);
  row.heIdent = std::move(he);
  row.heHeadingDegT = std::move(heHeading);
  return row;
}

TEST(ConvertRunway, GivesOneLinePerEnd) {
  const auto converted = importer::convertRunway(runwayRow("12079", "0", "04l", "31", "22R", ""));
  ASSERT_EQ(converted.ends.size(), 2u);
  EXPECT_EQ(importer::runwayLine(converted.ends[0]), "|04L|031|12079|150|0|");
  EXPECT_EQ(importer::runwayLine(converted.ends[1]), "|22R|211|12079|150|0|");
  EXPECT_TRUE(converted.skipReason.empty());
}

TEST(ConvertRunway, LeavesOutClosedRunwaysAndRunwaysWithoutLength) {
  EXPECT_EQ(importer::convertRunway(runwayRow("5000", "1", "09", "", "27", "")).skipReason,
            "closed");
  EXPECT_EQ(importer::convertRunway(runwayRow("", "0", "09", "", "27", "")).skipReason,
            "no length");
  EXPECT_EQ(importer::convertRunway(runwayRow("0", "0", "09", "", "27", "")).skipReason,
            "no length");
  EXPECT_EQ(importer::convertRunway(runwayRow("5e3", "0", "09", "", "27", "")).skipReason,
            "length is not a number");
  EXPECT_EQ(importer::convertRunway(runwayRow("500", "0", "", "", "", "")).skipReason,
            "no designator at either end");
}

TEST(ConvertRunway, LeavesOutAnEndWithoutOrientation) {
  auto row = runwayRow("80", "0", "H1", "", "", "");
  row.widthFt = "";
  const auto helipad = importer::convertRunway(row);
  EXPECT_TRUE(helipad.ends.empty());
  EXPECT_EQ(helipad.endSkipReasons,
            std::vector<std::string>{"no heading, and none to take from the designator"});
  EXPECT_TRUE(helipad.skipReason.empty());

  const auto oneEnd = importer::convertRunway(runwayRow("900", "0", "N", "", "", ""));
  ASSERT_EQ(oneEnd.ends.size(), 1u);
  EXPECT_EQ(importer::runwayLine(oneEnd.ends[0]), "|N|360|900|150|0|");
}

importer::AirportRow airportRow() {
  importer::AirportRow row;
  row.line = 7;
  row.id = "4505";
  row.ident = "LSZH";
  row.type = "large_airport";
  row.name = "Zürich Airport";
  row.latitudeDeg = "47.458056";
  row.longitudeDeg = "8.548056";
  row.elevationFt = "1417";
  row.isoCountry = "CH";
  row.municipality = "Zurich";
  row.gpsCode = "LSZH";
  row.iataCode = "ZRH";
  row.localCode = "";
  row.keywords = "Kloten, Zürich-Kloten";
  return row;
}

TEST(ConvertAirport, WritesTheFieldsAndSearchKeys) {
  const auto converted = importer::convertAirport(airportRow(), {{"CH", "Switzerland"}});
  ASSERT_TRUE(converted.block.has_value());
  EXPECT_TRUE(converted.problem.empty());
  EXPECT_EQ(utf8Of(importer::airportLine(*converted.block)),
            "* LSZH ZRH ZUERICH AIRPORT ZURICH AIRPORT ZÜRICH-KLOTEN ZÜRICH KLOTEN "
            "ZUERICH-KLOTEN ZUERICH KLOTEN ZURICH-KLOTEN ZURICH KLOTEN |LSZH|ZÜRICH AIRPORT|"
            "47458056|8548056|1417|ZURICH|ZRH|SWITZERLAND|");
}

TEST(SpellingVariants, GivesTheFormsPeopleType) {
  const auto variants = [](const char* utf8) {
    std::string all;
    for (const std::string& variant : importer::spellingVariants(common::utf8ToCp1252(utf8)))
      all += (all.empty() ? "" : "/") + utf8Of(variant);
    return all;
  };
  EXPECT_EQ(variants("O'HARE"), "O'HARE/OHARE");
  EXPECT_EQ(variants("LA GUARDIA"), "LA GUARDIA/LAGUARDIA");
  EXPECT_EQ(variants("ST. PETERSBURG"), "ST. PETERSBURG/ST PETERSBURG/SAINT PETERSBURG");
  EXPECT_EQ(variants("KÖLN"), "KÖLN/KOELN/KOLN");
  EXPECT_EQ(variants("DALLAS-FORT WORTH"), "DALLAS-FORT WORTH/DALLAS FORT WORTH");
  EXPECT_EQ(variants("ST LOUIS"), "ST LOUIS/SAINT LOUIS/ST. LOUIS");
  EXPECT_EQ(variants("LONDON"), "LONDON");
}

TEST(ConvertAirport, PrefersTheIcaoCodeAndKeepsTheIdentAsAKey) {
  auto row = airportRow();
  row.ident = "CH-0001";
  row.icaoCode = "LSZH";
  row.iataCode = "";
  row.keywords = "";
  row.isoCountry = "QQ";
  row.elevationFt = "";
  const auto converted = importer::convertAirport(row, {});
  ASSERT_TRUE(converted.block.has_value());
  EXPECT_EQ(utf8Of(importer::airportLine(*converted.block)),
            "* LSZH CH-0001 ZUERICH AIRPORT ZURICH AIRPORT |LSZH|ZÜRICH AIRPORT|47458056|8548056||"
            "ZURICH|--|QQ|");
  EXPECT_EQ(converted.block->ident, "CH-0001");
}

TEST(ConvertAirport, RefusesAPositionItCannotRead) {
  auto row = airportRow();
  row.longitudeDeg = "200";
  const auto converted = importer::convertAirport(row, {});
  EXPECT_FALSE(converted.block.has_value());
  EXPECT_EQ(converted.problem, "longitude \"200\" is not a number from -180 to 180");
}

TEST(ConvertAirport, LeavesAnUnreadableElevationEmpty) {
  auto row = airportRow();
  row.elevationFt = "high";
  const auto converted = importer::convertAirport(row, {});
  ASSERT_TRUE(converted.block.has_value());
  EXPECT_EQ(converted.block->elevationFt, "");
  EXPECT_EQ(converted.problem, "elevation \"high\" is not a number, left empty");
}

TEST(AirportTypes, ParsesAListAndRefusesUnknownOrClosedTypes) {
  const auto two = importer::parseAirportTypes("large_airport,medium_airport");
  ASSERT_TRUE(two);
  EXPECT_EQ(*two, (std::set<std::string>{"large_airport", "medium_airport"}));
  const auto closed = importer::parseAirportTypes("closed");
  ASSERT_FALSE(closed);
  EXPECT_EQ(closed.error().reason, "closed airports are never written");
  const auto unknown = importer::parseAirportTypes("large_airports");
  ASSERT_FALSE(unknown);
  EXPECT_NE(unknown.error().reason.find("unknown airport type \"large_airports\""),
            std::string::npos);
  EXPECT_FALSE(importer::parseAirportTypes(""));
  EXPECT_EQ(
      importer::defaultAirportTypes(),
      (std::set<std::string>{"large_airport", "medium_airport", "small_airport", "seaplane_base"}));
}

TEST(BuildDatabase, ChoosesTypesJoinsByIdSortsByIdentAndCapsRunways) {
  std::vector<importer::AirportRow> airports;
  const auto add = [&](std::string id, std::string ident, std::string type) {
    auto row = airportRow();
    row.id = std::move(id);
    row.ident = std::move(ident);
    row.type = std::move(type);
    airports.push_back(row);
  };
  add("1", "ZZZZ", "medium_airport");
  add("2", "AAAA", "small_airport");
  add("3", "HHHH", "heliport");
  add("4", "CCCC", "closed");
  add("5", "bbbb", "medium_airport");  // sorted as it is written, in upper case
  std::vector<importer::RunwayRow> runways;
  for (int i = 0; i < 60; ++i) {
    auto row = runwayRow(std::to_string(1000 + i), "0", "09", "", "27", "");
    row.airportRef = "1";
    runways.push_back(row);
  }
  auto stale = runwayRow("2000", "0", "18", "", "36", "");
  stale.airportRef = "2";  // whatever airport_ident it carries
  runways.push_back(stale);
  auto ofHeliport = runwayRow("100", "0", "18", "", "36", "");
  ofHeliport.airportRef = "3";
  runways.push_back(ofHeliport);

  const std::map<std::string, std::string> countries;
  const auto result =
      importer::buildDatabase({airports, runways, countries, "airports.csv", "runways.csv"},
                              {"medium_airport", "small_airport"});
  ASSERT_EQ(result.blocks.size(), 3u);
  EXPECT_EQ(result.blocks[0].icao, "AAAA");
  EXPECT_EQ(result.blocks[1].icao, "BBBB");
  EXPECT_EQ(result.blocks[2].icao, "ZZZZ");
  ASSERT_EQ(result.blocks[0].runways.size(), 2u);
  EXPECT_EQ(result.blocks[0].runways[0].designator, "18");
  EXPECT_TRUE(result.blocks[1].runways.empty());
  ASSERT_EQ(result.blocks[2].runways.size(), lookup::format::kMaxRunways);
  EXPECT_EQ(result.blocks[2].runways.back().lengthFt, "1049");  // the 50th runway's high end

  const auto& s = result.summary;
  EXPECT_EQ(s.airportsWritten, 3u);
  EXPECT_EQ(s.runwayLinesWritten, 102u);
  EXPECT_EQ(s.airportsSkipped.at("closed"), 1u);
  EXPECT_EQ(s.airportsSkipped.at("type not chosen"), 1u);
  EXPECT_EQ(s.runwaysSkipped.at("airport not written"), 1u);
  EXPECT_EQ(s.runwayEndsSkipped.at("more than 100 runway lines for one airport"), 20u);
}

// The program reads over a line past its item limit, so such a line could
// never be found: its search keys are cut at a whole key to fit.
TEST(BuildDatabase, FitsAnAirportLineToTheProgramsItemLimit) {
  constexpr std::size_t kLimit = lookup::AirportDatabase::kMaxItemBytes;
  std::vector<importer::AirportRow> airports(2, airportRow());
  std::string keywords;
  for (int i = 10000; keywords.size() <= kLimit; ++i)
    keywords += "K" + std::to_string(i) + ",";
  airports[0].keywords = keywords;
  airports[1].id = "2";
  airports[1].ident = "ZZZZ";
  airports[1].line = 9;
  airports[1].name = std::string(kLimit, 'N');  // too long whatever the keys

  const std::vector<importer::RunwayRow> runways;
  const std::map<std::string, std::string> countries;
  const auto result = importer::buildDatabase(
      {airports, runways, countries, "airports.csv", "runways.csv"}, {"large_airport"});
  ASSERT_EQ(result.blocks.size(), 1u);
  const std::string line = importer::airportLine(result.blocks[0]);
  EXPECT_LE(line.size(), kLimit);
  EXPECT_GT(line.size(), kLimit - 8);  // no more keys dropped than needed
  // What is kept is the start of the full keys, up to a blank between two.
  const std::string& keys = result.blocks[0].searchKeys;
  const std::string fullKeys = importer::convertAirport(airports[0], countries).block->searchKeys;
  EXPECT_EQ(fullKeys.rfind(keys + " ", 0), 0u);
  // The row left out is told as it is read, the keys cut once all are in.
  ASSERT_EQ(result.summary.warnings.size(), 2u);
  EXPECT_EQ(result.summary.warnings[0].rfind("airports.csv:9: airport line of ", 0), 0u)
      << result.summary.warnings[0];
  EXPECT_EQ(result.summary.warnings[1].rfind("airports.csv:7: search keys shortened from ", 0), 0u)
      << result.summary.warnings[1];
  EXPECT_EQ(result.summary.airportsSkipped.at("airport line too long"), 1u);
}

// The marks around the keys ("* " before them, a blank after) count too: a
// line one byte under the limit without keys keeps none.
TEST(BuildDatabase, ALineJustUnderTheLimitWithoutKeysIsWrittenWithoutThem) {
  constexpr std::size_t kLimit = lookup::AirportDatabase::kMaxItemBytes;
  importer::AirportRow row = airportRow();
  row.keywords = "NICKNAME";
  const std::map<std::string, std::string> countries;
  importer::AirportBlock bare = *importer::convertAirport(row, countries).block;
  bare.searchKeys.clear();
  row.name += std::string(kLimit - 1 - importer::airportLine(bare).size(), 'N');

  const std::vector<importer::RunwayRow> runways;
  const auto result = importer::buildDatabase(
      {{row}, runways, countries, "airports.csv", "runways.csv"}, {"large_airport"});
  ASSERT_EQ(result.blocks.size(), 1u);
  EXPECT_EQ(importer::airportLine(result.blocks[0]).size(), kLimit - 1);
}

TEST(DatabaseBytes, EndsEveryLineWithCrLfAndEveryBlockWithAnEmptyLine) {
  importer::AirportBlock block;
  block.icao = "ABCD";
  block.name = "SAMPLE FIELD";
  block.latitude = "45500000";
  block.longitude = "-9250000";
  block.elevationFt = "320";
  block.municipality = "SAMPLETOWN";
  block.iataCode = "--";
  block.country = "SAMPLELAND";
  block.runways = {{"09", "090", "9000", "0"}, {"27", "270", "9000", "0"}};
  importer::AirportBlock bare = block;
  bare.icao = "EFGH";
  bare.searchKeys = "EF";
  bare.runways.clear();
  EXPECT_EQ(importer::databaseBytes({block, bare}),
            "|ABCD|SAMPLE FIELD|45500000|-9250000|320|SAMPLETOWN|--|SAMPLELAND|\r\n"
            "|09|090|9000|0|0|\r\n"
            "|27|270|9000|0|0|\r\n"
            "\r\n"
            "* EF |EFGH|SAMPLE FIELD|45500000|-9250000|320|SAMPLETOWN|--|SAMPLELAND|\r\n"
            "\r\n");
  EXPECT_EQ(importer::databaseBytes({}), "");
}

}  // namespace

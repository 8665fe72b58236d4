// SPDX-License-Identifier: MIT
#include "airport_conversion.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <utility>

#include "common/text1252.h"
#include "lookup/database_format.h"
#include "text_folding.h"

namespace importer {
namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
    text.remove_suffix(1);
  return text;
}

// "123", "-11", "2438.4": an optional "-", digits, and an optional "."
// followed by digits.
bool isPlainNumber(std::string_view text, bool signAllowed) {
  if (signAllowed && !text.empty() && text.front() == '-') text.remove_prefix(1);
  const std::size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view("0") : text.substr(point + 1);
  const auto allDigits = [](std::string_view part) {
    return !part.empty() && std::all_of(part.begin(), part.end(), isDigit);
  };
  return allDigits(whole) && allDigits(fraction);
}

std::optional<double> decimalValue(std::string_view text) {
  text = trimmed(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
      !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

// A heading in degrees; nothing for an empty or unreadable text or one far
// beyond a turn or two, which no true heading is.
std::optional<double> headingValue(std::string_view text) {
  const auto value = decimalValue(text);
  if (!value || std::fabs(*value) > 720) return std::nullopt;
  return value;
}

// A decimal text as its digits and the place of its point, exactly, so that
// rounding to millionths never meets a binary fraction: "-12.5e-1" ->
// negative, digits "125", pointAfter 1 (1.25).
struct DecimalDigits {
  bool negative = false;
  std::string digits;
  long pointAfter = 0;  // how many of the digits stand before the point
};

std::optional<DecimalDigits> decimalDigits(std::string_view text) {
  text = trimmed(text);
  DecimalDigits result;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    result.negative = text.front() == '-';
    text.remove_prefix(1);
  }
  bool seenPoint = false;
  std::size_t pos = 0;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (isDigit(c)) {
      result.digits += c;
      if (!seenPoint) ++result.pointAfter;
    } else if (c == '.' && !seenPoint) {
      seenPoint = true;
    } else {
      break;
    }
  }
  if (result.digits.empty()) return std::nullopt;
  if (pos < text.size()) {
    if (text[pos] != 'e' && text[pos] != 'E') return std::nullopt;
    std::string_view exponentText = text.substr(pos + 1);
    if (!exponentText.empty() && exponentText.front() == '+') exponentText.remove_prefix(1);
    int exponent = 0;
    const auto [end, error] =
        std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
    if (exponentText.empty() || error != std::errc() ||
        end != exponentText.data() + exponentText.size() || exponent < -50 || exponent > 50) {
      return std::nullopt;
    }
    result.pointAfter += exponent;
  }
  return result;
}

std::string threeDigits(long degrees) {
  char text[8];
  std::snprintf(text, sizeof text, "%03ld", degrees);
  return text;
}

// Whole degrees 1..360 from any angle: rounded half away from zero, 0 -> 360.
std::string wholeDegrees(double degrees) {
  long whole = std::lround(degrees) % 360;
  if (whole <= 0) whole += 360;
  return threeDigits(whole);
}

std::optional<std::string> orientationFromDesignator(std::string_view designator) {
  std::size_t digits = 0;
  while (digits < designator.size() && isDigit(designator[digits]))
    ++digits;
  if (digits == 1 || digits == 2) {
    const int number = std::stoi(std::string(designator.substr(0, digits)));
    if (number >= 1 && number <= 36) return threeDigits(number * 10L);
    return std::nullopt;
  }
  if (digits > 0) return std::nullopt;
  static constexpr std::array<std::string_view, 16> kCompass = {
      "N", "NNE", "NE", "ENE", "E", "ESE", "SE", "SSE",
      "S", "SSW", "SW", "WSW", "W", "WNW", "NW", "NNW"};
  for (std::size_t i = 0; i < kCompass.size(); ++i) {
    if (designator == kCompass[i]) return wholeDegrees(22.5 * static_cast<double>(i));
  }
  return std::nullopt;
}

// The codes and names a search should find the airport by: its codes (the
// ICAO code again, so that it is found with blanks typed around it), its
// name, municipality and keywords in the spellings people type.
KeyList keysOf(const AirportBlock& block, const AirportRow& row, const std::string& iata) {
  KeyList keys;
  keys.codes = {block.icao, iata, block.ident, databaseText(row.gpsCode),
                databaseText(row.localCode)};
  addNameVariants(keys, block.name);
  addNameVariants(keys, block.municipality);
  // Keywords are a comma-separated list of other names and codes.
  std::string_view keywords = row.keywords;
  while (!keywords.empty()) {
    const std::size_t comma = keywords.find(',');
    addNameVariants(keys, databaseText(keywords.substr(0, comma)));
    keywords = comma == std::string_view::npos ? std::string_view() : keywords.substr(comma + 1);
  }
  return keys;
}

}  // namespace

void refreshSearchKeys(AirportBlock& block) {
  block.searchKeys = searchKeysText(block.keys, {block.name, block.municipality, block.country});
}
std::optional<std::string> coordinateField(std::string_view decimalDegrees, int maxDegrees) {
  auto parsed = decimalDigits(decimalDegrees);
  if (!parsed) return std::nullopt;
  DecimalDigits& d = *parsed;

  // Digits of the value times 1,000,000 and one more for the rounding.
  const long wanted = d.pointAfter + 7;
  std::string scaled;
  if (wanted > 0) {
    scaled = d.digits.substr(
        0, static_cast<std::size_t>(std::min<long>(wanted, static_cast<long>(d.digits.size()))));
    scaled.append(static_cast<std::size_t>(wanted) - scaled.size(), '0');
  }
  if (scaled.empty()) scaled.assign(1, '0');
  const bool roundUp = scaled.back() >= '5';
  scaled.pop_back();
  if (scaled.empty()) scaled.assign(1, '0');
  if (roundUp) {
    std::size_t i = scaled.size();
    while (i > 0 && scaled[i - 1] == '9')
      scaled[--i] = '0';
    if (i == 0) {
      scaled.insert(scaled.begin(), '1');
    } else {
      ++scaled[i - 1];
    }
  }
  // Leading zeros off, then at least seven digits: whole degrees and six.
  const std::size_t first = scaled.find_first_not_of('0');
  scaled = first == std::string::npos ? std::string() : scaled.substr(first);
  if (scaled.size() < 7) scaled.insert(0, 7 - scaled.size(), '0');
  if (scaled.size() > 9) return std::nullopt;
  const int wholeDegreesValue = std::stoi(scaled.substr(0, scaled.size() - 6));
  const bool fractionIsZero = scaled.compare(scaled.size() - 6, 6, "000000") == 0;
  if (wholeDegreesValue > maxDegrees || (wholeDegreesValue == maxDegrees && !fractionIsZero)) {
    return std::nullopt;
  }
  const bool isZero = scaled.find_first_not_of('0') == std::string::npos;
  return (d.negative && !isZero ? "-" : "") + scaled;
}

std::optional<std::string> runwayOrientation(std::string_view headingDegT,
                                             std::string_view oppositeHeadingDegT,
                                             std::string_view designator) {
  if (const auto heading = headingValue(headingDegT)) return wholeDegrees(*heading);
  if (const auto opposite = headingValue(oppositeHeadingDegT)) {
    return wholeDegrees(*opposite + 180);
  }
  return orientationFromDesignator(designator);
}

AirportConversion convertAirport(const AirportRow& row,
                                 const std::map<std::string, std::string>& countryNames) {
  AirportConversion result;
  AirportBlock block;
  block.ident = databaseText(row.ident);
  block.icao = databaseText(row.icaoCode);
  if (block.icao.empty()) block.icao = block.ident;
  if (block.icao.empty()) {
    result.problem = "no ident";
    return result;
  }
  const auto latitude = coordinateField(row.latitudeDeg, 90);
  if (!latitude) {
    result.problem = "latitude \"" + row.latitudeDeg + "\" is not a number from -90 to 90";
    return result;
  }
  const auto longitude = coordinateField(row.longitudeDeg, 180);
  if (!longitude) {
    result.problem = "longitude \"" + row.longitudeDeg + "\" is not a number from -180 to 180";
    return result;
  }
  block.latitude = *latitude;
  block.longitude = *longitude;

  const std::string_view elevation = trimmed(row.elevationFt);
  if (isPlainNumber(elevation, true)) {
    block.elevationFt = std::string(elevation);
  } else if (!elevation.empty()) {
    result.problem = "elevation \"" + row.elevationFt + "\" is not a number, left empty";
  }

  block.name = databaseText(row.name);
  if (!hasLetterOrDigit(block.name)) {  // also a name of symbols with no Latin form, "?"
    block.name = block.ident.empty() ? block.icao : block.ident;
    if (!result.problem.empty()) result.problem += "; ";
    result.problem += "no name to write, written under its ident " + block.name;
  }
  block.municipality = databaseText(row.municipality);
  const std::string iata = databaseText(row.iataCode);
  block.iataCode = iata.empty() ? std::string(lookup::format::kNoIataCode) : iata;
  const auto country = countryNames.find(row.isoCountry);
  block.country = databaseText(country != countryNames.end() ? country->second : row.isoCountry);

  block.countryCode = row.isoCountry;
  block.keys = keysOf(block, row, iata);
  refreshSearchKeys(block);
  result.block = std::move(block);
  return result;
}

RunwayConversion convertRunway(const RunwayRow& row) {
  RunwayConversion result;
  if (trimmed(row.closed) == "1") {
    result.skipReason = "closed";
    return result;
  }
  const std::string_view length = trimmed(row.lengthFt);
  const auto lengthValue = decimalValue(length);
  if (length.empty() || (lengthValue && *lengthValue <= 0)) {
    result.skipReason = "no length";
    return result;
  }
  if (!isPlainNumber(length, false)) {
    result.skipReason = "length is not a number";
    result.warning = "length \"" + row.lengthFt + "\" is not a number";
    return result;
  }
  const std::string_view width = trimmed(row.widthFt);
  const std::string widthText = isPlainNumber(width, false) ? std::string(width) : "0";

  struct End {
    const std::string& ident;
    const std::string& heading;
    const std::string& oppositeHeading;
  };
  for (const End& end : {End{row.leIdent, row.leHeadingDegT, row.heHeadingDegT},
                         End{row.heIdent, row.heHeadingDegT, row.leHeadingDegT}}) {
    if (trimmed(end.ident).empty()) continue;  // a runway with one end only
    const std::string designator = databaseText(end.ident);
    if (designator.empty()) {
      result.endSkipReasons.emplace_back("designator with no character to write");
      continue;
    }
    const auto orientation = runwayOrientation(end.heading, end.oppositeHeading, designator);
    if (!orientation) {
      result.endSkipReasons.emplace_back("no heading, and none to take from the designator");
      continue;
    }
    result.ends.push_back(RunwayEndLine{designator, *orientation, std::string(length), widthText});
  }
  if (result.ends.empty() && result.endSkipReasons.empty()) {
    result.skipReason = "no designator at either end";
  }
  return result;
}

}  // namespace importer

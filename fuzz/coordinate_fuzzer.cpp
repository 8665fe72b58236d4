// SPDX-License-Identifier: MIT
// The coordinate decoder over arbitrary field texts. A field in the format
// (an optional "-", 0 to 3 degree digits, six fraction digits) must decode
// exactly as the rule says; any other field must still give a well-formed
// text and a finite value, never a crash.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "lookup/coordinate.h"
#include "reference.h"

namespace {

bool allDigits(std::string_view text) {
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  if (size == 0) return 0;
  const bool latitude = bytes[0] & 1;
  const std::string_view field(reinterpret_cast<const char*>(bytes) + 1, size - 1);
  const auto kind = latitude ? lookup::CoordinateKind::Latitude : lookup::CoordinateKind::Longitude;
  const lookup::DecodedCoordinate decoded = lookup::decodeCoordinate(field, kind);

  const bool minus = field.find('-') != std::string_view::npos;
  const char letter = latitude ? (minus ? 'S' : 'N') : (minus ? 'W' : 'E');
  const std::string tail = std::string("'' ") + letter;
  fuzzref::check(
      decoded.text.size() >= tail.size() &&
          decoded.text.compare(decoded.text.size() - tail.size(), tail.size(), tail) == 0,
      "text does not end with the hemisphere");
  fuzzref::check(std::isfinite(decoded.degrees), "value not finite");
  fuzzref::check(std::fabs(decoded.degrees) < 1000, "value beyond three degree digits");
  fuzzref::check(!(std::signbit(decoded.degrees) && decoded.degrees == 0), "value is -0");

  std::string_view body = field;
  if (minus) body.remove_prefix(1);
  if (body.size() < 6 || body.size() > 9) {
    fuzzref::check(decoded.text ==
                       "\xB0"
                       "0'0" +
                           tail,
                   "other length: text differs");
    fuzzref::check(decoded.degrees == 0, "other length: value not 0");
    return 0;
  }
  // Outside the format (the rule then negates whatever the text reads as,
  // so "-" + "-.5xxxx" gives +0.5): only the checks above hold.
  if (!allDigits(body)) return 0;

  const std::string_view degrees = body.substr(0, body.size() - 6);
  const std::string_view fraction = body.substr(body.size() - 6);
  const long millionths = std::strtol(std::string(fraction).c_str(), nullptr, 10);
  const long minutesTimesMillion = 60 * millionths;
  std::string expected = degrees.empty() ? std::string(" 0") : std::string(degrees);
  expected += '\xB0';
  expected += std::to_string(minutesTimesMillion / 1000000);
  expected += '\'';
  expected += std::to_string(minutesTimesMillion / 100000 % 10);
  expected += tail;
  fuzzref::check(decoded.text == expected, "text differs");

  const std::string valueText =
      (degrees.empty() ? "0" : std::string(degrees)) + "." + std::string(fraction);
  double value = std::strtod(valueText.c_str(), nullptr);
  if (minus) value = -value;
  fuzzref::check(decoded.degrees == value, "value differs");
  return 0;
}

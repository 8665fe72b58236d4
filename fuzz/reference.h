// SPDX-License-Identifier: MIT
#pragma once

// Plain, slow readings of the line splits, number rules and settings that
// the fuzz targets hold the real code against (the item reader's is
// tests/support/plain_database.h). Each one is written straight from the
// rule it stands for (byte by byte, 1-based positions where the rule counts
// so), sharing no code with src/, so that a fault in one shows as a
// difference rather than being repeated in both.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fuzzref {

// Aborts with the message when the condition fails; libFuzzer then stores
// the input that got there.
void check(bool condition, const char* what);

// Position (1-based) of the first "|" at or after position `from` (1-based),
// or 0 when there is none, the way the split rules count.
std::size_t findBar(std::string_view text, std::size_t from);

// Fields 1 to 8 of an airport line, between its first nine bars: the first
// bar is looked for from the start, the second from two bytes past the
// first (a bar right after the first is passed over), each later one from
// just past the previous; nothing when a bar is missing.
std::optional<std::array<std::string, 8>> splitAirport(std::string_view item);

// Fields 1, 2, 3 and 5 of a runway line: every bar after the first is
// looked for from two bytes past the previous one; nothing when one of six
// is missing.
std::optional<std::array<std::string, 4>> splitRunway(std::string_view item);

// A text that is a decimal number as a whole, blanks (space, tab, CR, LF)
// around it allowed, read by the C library in the "C" locale.
std::optional<double> parseNumber(std::string_view text);

// The number at the start of a text, blanks (space, tab, LF) skipped
// wherever they stand, read by the C library in the "C" locale.
double leadingNumber(std::string_view text);

// The value of a decimal text rounded to `digits` significant digits, as
// printf's %.*e gives them, read back.
double roundedTo(double value, int digits);

// The two fields of a settings text, or fewer when the text runs out.
std::vector<std::string> settingsFields(std::string_view content);

}  // namespace fuzzref

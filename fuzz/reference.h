// SPDX-License-Identifier: MIT
#pragma once

// Plain, slow readings of the database and number rules that the fuzz
// targets hold the real code against. Each one is written straight from the
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

// One item of the database as the reader must return it.
struct Item {
  std::string text;  // empty for an oversized item
  bool oversized = false;
  friend bool operator==(const Item&, const Item&) = default;
};

// Every item of a file: text up to the next comma, CR or LF; CR LF counts
// as one line end; an item longer than maxBytes is oversized.
std::vector<Item> splitItems(std::string_view bytes, std::size_t maxBytes);

// The database as a list of items with a read position: a model of the
// open file that the search reads on through.
class ItemCursor {
 public:
  explicit ItemCursor(std::vector<Item> items) : m_items(std::move(items)) {}
  bool atEnd() const { return m_next >= m_items.size(); }
  const Item& read() { return m_items[m_next++]; }
  void rewind() { m_next = 0; }

 private:
  std::vector<Item> m_items;
  std::size_t m_next = 0;
};

// Position (1-based) of the first "|" at or after position `from` (1-based),
// or 0 when there is none, the way the split rules count.
std::size_t findBar(std::string_view text, std::size_t from);

// Fields 1 to 8 of an airport line: s1 from 1, s2 from s1 + 2, the others
// from the previous one + 1; nothing when a separator is missing.
std::optional<std::array<std::string, 8>> splitAirport(std::string_view item);

// Fields 1, 2, 3 and 5 of a runway line: every separator after the first is
// looked for from the previous one + 2; nothing when one of six is missing.
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

// SPDX-License-Identifier: MIT
#pragma once

// The database read the plain way: the whole file split into items byte by
// byte, then searched one item at a time with std::string::find. The reader
// and the search of src/lookup are checked against it, so it shares no code
// with them: a fault in one shows as a difference instead of being repeated
// in both.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

// One item as the reader must return it.
struct PlainItem {
  std::string text;  // empty for an oversized item
  bool oversized = false;
  friend bool operator==(const PlainItem&, const PlainItem&) = default;
};

// Every item of a file: the text up to the next comma, CR or LF, which goes
// with it (CR LF counts as one line end); an item longer than maxItemBytes
// is oversized.
std::vector<PlainItem> splitPlainItems(std::string_view bytes, std::size_t maxItemBytes);

// The split file with a read position, a model of the open database that a
// search reads on through.
class PlainDatabase {
 public:
  PlainDatabase(std::string_view bytes, std::size_t maxItemBytes)
      : m_items(splitPlainItems(bytes, maxItemBytes)) {}

  void reopen() { m_next = 0; }
  bool atEnd() const { return m_next >= m_items.size(); }
  const PlainItem& readItem() { return m_items[m_next++]; }

  // Reads on to the next item that holds the needle and that accept takes,
  // skipping empty and oversized items; sets matchedItem to it and returns
  // the 1-based position of the needle in it, or 0 at the end of the file.
  std::size_t scanFor(std::string_view needle, const std::function<bool(std::string_view)>& accept,
                      std::string& matchedItem);

 private:
  std::vector<PlainItem> m_items;
  std::size_t m_next = 0;
};

}  // namespace testing_support

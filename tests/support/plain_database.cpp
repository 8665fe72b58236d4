// SPDX-License-Identifier: MIT
#include "plain_database.h"

namespace testing_support {

std::vector<PlainItem> splitPlainItems(std::string_view bytes, std::size_t maxItemBytes) {
  std::vector<PlainItem> items;
  std::size_t begin = 0;
  while (begin < bytes.size()) {
    std::size_t end = begin;
    while (end < bytes.size() && bytes[end] != ',' && bytes[end] != '\r' && bytes[end] != '\n') {
      ++end;
    }
    const std::size_t length = end - begin;
    const bool oversized = length > maxItemBytes;
    items.push_back(
        {oversized ? std::string() : std::string(bytes.substr(begin, length)), oversized});
    if (end == bytes.size()) break;  // the file ends inside the item
    const bool crLf = bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n';
    begin = end + (crLf ? 2 : 1);
  }
  return items;
}

std::size_t PlainDatabase::scanFor(std::string_view needle,
                                   const std::function<bool(std::string_view)>& accept,
                                   std::string& matchedItem) {
  while (!atEnd()) {
    const PlainItem& item = readItem();
    if (item.oversized || item.text.empty()) continue;
    const std::size_t found = needle.empty() ? 0 : item.text.find(needle);
    if (found == std::string::npos) continue;
    if (!accept(item.text)) continue;
    matchedItem = item.text;
    return found + 1;
  }
  return 0;
}

}  // namespace testing_support

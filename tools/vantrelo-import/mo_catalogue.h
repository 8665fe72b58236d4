// SPDX-License-Identifier: MIT
#pragma once

// A gettext message catalogue (.mo file) read as it stands: the GeoNames
// city names in one language are the translations of the cities' ids.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace importer {

class MoCatalogue {
 public:
  // An empty catalogue when the file is missing or not a well-formed .mo file.
  static MoCatalogue load(const std::filesystem::path& path);
  // From the bytes of a .mo file, either byte order.
  static MoCatalogue fromBytes(std::string bytes);

  // The translation of msgid, or nothing.
  std::optional<std::string_view> find(std::string_view msgid) const;
  bool empty() const { return m_entries.empty(); }

 private:
  struct Entry {
    std::uint32_t idOffset, idLength, textOffset, textLength;
  };
  std::string_view at(std::uint32_t offset, std::uint32_t length) const {
    return std::string_view(m_bytes).substr(offset, length);
  }

  std::string m_bytes;
  std::vector<Entry> m_entries;  // sorted by msgid
};

}  // namespace importer

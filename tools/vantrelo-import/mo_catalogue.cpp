// SPDX-License-Identifier: MIT
#include "mo_catalogue.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>

namespace importer {
namespace {

constexpr std::uint32_t kMagic = 0x950412de;

std::uint32_t word(std::string_view bytes, std::size_t offset, bool swapped) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[offset + i]);
    value |= static_cast<std::uint32_t>(byte) << (swapped ? 8 * (3 - i) : 8 * i);
  }
  return value;
}

}  // namespace

MoCatalogue MoCatalogue::load(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  return fromBytes(std::string(std::istreambuf_iterator<char>(in), {}));
}

MoCatalogue MoCatalogue::fromBytes(std::string bytes) {
  MoCatalogue catalogue;
  catalogue.m_bytes = std::move(bytes);
  const std::string_view data = catalogue.m_bytes;
  if (data.size() < 28) return {};
  const bool swapped = word(data, 0, false) != kMagic;
  if (word(data, 0, swapped) != kMagic) return {};
  const std::uint32_t count = word(data, 8, swapped);
  const std::uint32_t originals = word(data, 12, swapped);
  const std::uint32_t translations = word(data, 16, swapped);
  // A string is given by its length and offset; both tables must lie inside.
  struct Span {
    std::uint32_t offset, length;
  };
  const auto span = [&](std::uint64_t table, std::uint32_t index) -> std::optional<Span> {
    const std::uint64_t entry = table + 8ull * index;
    if (entry + 8 > data.size()) return std::nullopt;
    const std::uint32_t length = word(data, entry, swapped);
    const std::uint32_t offset = word(data, entry + 4, swapped);
    if (std::uint64_t{offset} + length > data.size()) return std::nullopt;
    return Span{offset, length};
  };
  if (count > data.size() / 16) return {};
  catalogue.m_entries.reserve(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    const auto msgid = span(originals, i);
    const auto msgstr = span(translations, i);
    if (!msgid || !msgstr) return {};
    // Plural forms and empty translations name no city.
    if (data.substr(msgid->offset, msgid->length).find('\0') != std::string_view::npos ||
        msgstr->length == 0) {
      continue;
    }
    catalogue.m_entries.push_back({msgid->offset, msgid->length, msgstr->offset, msgstr->length});
  }
  // msgfmt writes the ids sorted; another tool may not.
  const auto byId = [&catalogue](const Entry& a, const Entry& b) {
    return catalogue.at(a.idOffset, a.idLength) < catalogue.at(b.idOffset, b.idLength);
  };
  if (!std::is_sorted(catalogue.m_entries.begin(), catalogue.m_entries.end(), byId)) {
    std::sort(catalogue.m_entries.begin(), catalogue.m_entries.end(), byId);
  }
  return catalogue;
}

std::optional<std::string_view> MoCatalogue::find(std::string_view msgid) const {
  const auto found = std::lower_bound(m_entries.begin(), m_entries.end(), msgid,
                                      [this](const Entry& entry, std::string_view key) {
                                        return at(entry.idOffset, entry.idLength) < key;
                                      });
  if (found == m_entries.end() || at(found->idOffset, found->idLength) != msgid) {
    return std::nullopt;
  }
  return at(found->textOffset, found->textLength);
}

}  // namespace importer

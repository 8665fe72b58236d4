// SPDX-License-Identifier: MIT
#include "files/settings_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

#include "common/error.h"
#include "files/atomic_file.h"

namespace files {
namespace {

constexpr std::size_t kMaxSettingsBytes = std::size_t{1024} * 1024;

bool isLineEnd(char c) {
  return c == '\r' || c == '\n';
}

// Moves past the comma or line end at pos (CR LF counts as one).
std::size_t skipDelimiter(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return pos;
  if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') return pos + 2;
  return pos + 1;
}

std::size_t findDelimiter(std::string_view text, std::size_t pos) {
  while (pos < text.size() && text[pos] != ',' && !isLineEnd(text[pos]))
    ++pos;
  return pos;
}

}  // namespace

std::string settingsFileBytes(std::string_view langCode, std::string_view lastIcao) {
  std::string bytes;
  for (std::string_view value : {langCode, lastIcao}) {
    bytes += '"';
    bytes += value;
    bytes += "\"\r\n";
  }
  return bytes;
}

Settings parseSettings(std::string_view content, const Settings& defaults) {
  std::vector<std::string> fields;
  std::size_t pos = 0;
  while (fields.size() < 2 && pos < content.size()) {
    while (pos < content.size() && (content[pos] == ' ' || content[pos] == '\t'))
      ++pos;
    std::string value;
    if (pos < content.size() && content[pos] == '"') {
      const std::size_t close = content.find('"', pos + 1);
      const std::size_t valueEnd = close == std::string_view::npos ? content.size() : close;
      value = content.substr(pos + 1, valueEnd - pos - 1);
      // Whatever stands between the closing quote and the delimiter is dropped.
      pos = skipDelimiter(content, findDelimiter(content, std::min(valueEnd + 1, content.size())));
    } else {
      const std::size_t end = findDelimiter(content, pos);
      std::size_t valueEnd = end;
      while (valueEnd > pos && (content[valueEnd - 1] == ' ' || content[valueEnd - 1] == '\t')) {
        --valueEnd;
      }
      value = content.substr(pos, valueEnd - pos);
      pos = skipDelimiter(content, end);
    }
    fields.push_back(std::move(value));
  }
  Settings settings = defaults;
  if (!fields.empty()) settings.langCode = std::move(fields[0]);
  if (fields.size() > 1) settings.lastIcao = std::move(fields[1]);
  return settings;
}

bool settingsFileExists(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

std::optional<common::Error> saveSettings(std::string_view langCode, std::string_view lastIcao,
                                          const std::filesystem::path& path) {
  return writeFileAtomically(path, settingsFileBytes(langCode, lastIcao));
}

common::Expected<Settings> loadSettings(const Settings& defaults,
                                        const std::filesystem::path& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return common::systemError(EISDIR);
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                       &std::fclose);
  if (!file) return common::systemError(errno);
  std::string content(kMaxSettingsBytes, '\0');
  const std::size_t got = std::fread(content.data(), 1, content.size(), file.get());
  if (std::ferror(file.get())) return common::systemError(errno);
  content.resize(got);
  return parseSettings(content, defaults);
}

}  // namespace files

// SPDX-License-Identifier: MIT
#pragma once

// Vantrelo.ini: the language code and the ICAO code of the last airport
// shown, each in double quotes on a line of its own closed by CR LF:
//   "Eng"
//   "KJFK"
// Nothing is escaped. Reading is field-based: a comma or a line end ends a
// field, and a field that starts with a double quote runs to the next one.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/error.h"

namespace files {

inline constexpr const char* kSettingsFileName = "Vantrelo.ini";

struct Settings {
  std::string langCode;
  std::string lastIcao;
};

// The bytes of the file for these two values.
std::string settingsFileBytes(std::string_view langCode, std::string_view lastIcao);

// The first two fields of a settings text; a missing field takes its value
// from defaults.
Settings parseSettings(std::string_view content, const Settings& defaults);

// True when an ordinary file of that name is in the working directory.
bool settingsFileExists(const std::filesystem::path& path = kSettingsFileName);

// Writes the file whole (atomically).
std::optional<common::Error> saveSettings(std::string_view langCode, std::string_view lastIcao,
                                          const std::filesystem::path& path = kSettingsFileName);

// Reads the file; only its first megabyte is looked at, which holds the two
// fields of any file the program wrote.
common::Expected<Settings> loadSettings(const Settings& defaults,
                                        const std::filesystem::path& path = kSettingsFileName);

}  // namespace files

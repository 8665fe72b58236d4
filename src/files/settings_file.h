// SPDX-License-Identifier: MIT
#pragma once

// Vantrelo.ini: the language code and the ICAO code of the last airport
// shown, each in double quotes on a line of its own closed by CR LF:
//   "Eng"
//   "KJFK"
// Nothing is escaped. Reading is field-based: a comma or a line end ends a
// field, and a field that starts with a double quote runs to the next one.

#include <optional>
#include <string>
#include <string_view>

namespace files {

inline constexpr const char* kSettingsFileName = "Vantrelo.ini";
inline constexpr std::string_view kDefaultLangCode = "Eng";
inline constexpr std::string_view kDefaultLastIcao = "KJFK";

struct Settings {
  std::string langCode;
  std::string lastIcao;
};

// The bytes of the file for these two values.
std::string settingsFileBytes(std::string_view langCode, std::string_view lastIcao);

// The first two fields of a settings text; a missing field takes its default
// ("Eng", then "KJFK").
Settings parseSettings(std::string_view content);

// True when an ordinary file of that name is in the working directory.
bool settingsFileExists(const char* path = kSettingsFileName);

// Writes the file whole (atomically). Returns the system's reason on failure.
std::optional<std::string> saveSettings(std::string_view langCode, std::string_view lastIcao,
                                        const char* path = kSettingsFileName);

struct LoadedSettings {
  std::optional<Settings> settings;  // nothing when the file could not be read
  std::string error;                 // the system's reason then
};

// Reads the file; only its first megabyte is looked at, which holds the two
// fields of any file the program wrote.
LoadedSettings loadSettings(const char* path = kSettingsFileName);

}  // namespace files

// SPDX-License-Identifier: MIT
// The settings reader over arbitrary bytes, and the writer's round trip.
// parseSettings must agree with the plain field reader of reference.cpp
// (missing fields taking "Eng" and "KJFK"); loadSettings must read a file
// as parseSettings reads its first megabyte; and whatever two values hold
// no double quote must come back unchanged from the bytes the writer makes.

#include <fuzzer/FuzzedDataProvider.h>

#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "files/settings_file.h"
#include "reference.h"

namespace {

using fuzzref::check;

std::string g_path;
const files::Settings kDefaults{"Eng", "KJFK"};

void checkParse(std::string_view content) {
  const files::Settings settings = files::parseSettings(content, kDefaults);
  const std::vector<std::string> fields = fuzzref::settingsFields(content);
  check(settings.langCode == (fields.size() > 0 ? fields[0] : std::string("Eng")),
        "parseSettings: language code differs");
  check(settings.lastIcao == (fields.size() > 1 ? fields[1] : std::string("KJFK")),
        "parseSettings: last ICAO differs");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const char* base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
  g_path = std::string(base) + "/vantrelo-settings-" + std::to_string(::getpid()) + ".ini";
  std::atexit([] { std::remove(g_path.c_str()); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string content(reinterpret_cast<const char*>(bytes), size);
  checkParse(content);

  FuzzedDataProvider data(bytes, size);
  const std::string langCode = data.ConsumeRandomLengthString(64);
  const std::string lastIcao = data.ConsumeRandomLengthString(64);
  const std::string written = files::settingsFileBytes(langCode, lastIcao);
  check(written == "\"" + langCode + "\"\r\n\"" + lastIcao + "\"\r\n",
        "settingsFileBytes: not two quoted values");
  if (langCode.find('"') == std::string::npos && lastIcao.find('"') == std::string::npos) {
    const files::Settings back = files::parseSettings(written, kDefaults);
    check(back.langCode == langCode && back.lastIcao == lastIcao, "settings round trip differs");
  }

  // The file on disk: the save writes exactly those bytes, the load reads
  // them back as the parse does.
  check(!files::saveSettings(langCode, lastIcao, g_path).has_value(), "save failed");
  check(files::settingsFileExists(g_path), "saved file missing");
  const common::Expected<files::Settings> loaded = files::loadSettings(kDefaults, g_path);
  check(loaded.hasValue(), "load failed");
  const files::Settings parsed = files::parseSettings(written, kDefaults);
  check(loaded->langCode == parsed.langCode && loaded->lastIcao == parsed.lastIcao,
        "loadSettings differs from parseSettings");
  return 0;
}

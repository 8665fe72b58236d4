// SPDX-License-Identifier: MIT
#include "files/settings_file.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "common/error.h"

#include <filesystem>

#include "temp_dir.h"

namespace {

using files::parseSettings;
using files::Settings;

const Settings kDefaults{"Eng", "KJFK"};

void expectSettings(std::string_view content, std::string_view langCode,
                    std::string_view lastIcao) {
  const Settings settings = parseSettings(content, kDefaults);
  EXPECT_EQ(settings.langCode, langCode) << content;
  EXPECT_EQ(settings.lastIcao, lastIcao) << content;
}

TEST(SettingsFormat, WritesTwoQuotedLinesOfFifteenBytesOnAFirstRun) {
  EXPECT_EQ(files::settingsFileBytes("Eng", "KJFK"), "\"Eng\"\r\n\"KJFK\"\r\n");
  EXPECT_EQ(files::settingsFileBytes("", ""), "\"\"\r\n\"\"\r\n");
}

TEST(SettingsFormat, ReadsFieldsSplitByCommasAndLineEnds) {
  expectSettings("\"Ita\"\r\n\"LIRF\"\r\n", "Ita", "LIRF");
  expectSettings("Ita,LIRF\r\n", "Ita", "LIRF");
  expectSettings("\"Ita\",\"LIRF\"", "Ita", "LIRF");
  expectSettings("Ita\nLIRF\n", "Ita", "LIRF");
  expectSettings("\"Ita\"\r\n\"LIRF\"\r\n\"extra\"\r\n", "Ita", "LIRF");
  expectSettings("\"A,B\"\r\n\"C\"", "A,B", "C");
  expectSettings("\"Ita\"junk\r\n\"LIRF\"", "Ita", "LIRF");
  expectSettings("  Ita  ,  LIRF", "Ita", "LIRF");
}

TEST(SettingsFormat, GivesMissingFieldsTheirDefaults) {
  expectSettings("", "Eng", "KJFK");
  expectSettings("\"Ita\"\r\n", "Ita", "KJFK");
  expectSettings("\"unclosed", "unclosed", "KJFK");
  expectSettings(std::string_view("\0\xFF", 2), std::string_view("\0\xFF", 2), "KJFK");
}

TEST(SettingsFile, SavesAndLoadsBack) {
  testing_support::TempDir dir;
  const std::string path = dir.file("Vantrelo.ini").string();
  EXPECT_FALSE(files::settingsFileExists(path));
  ASSERT_EQ(files::saveSettings("ita", "LIRF", path), std::nullopt);
  EXPECT_TRUE(files::settingsFileExists(path));
  EXPECT_EQ(dir.read("Vantrelo.ini"), "\"ita\"\r\n\"LIRF\"\r\n");
  const auto loaded = files::loadSettings(kDefaults, path);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->langCode, "ita");
  EXPECT_EQ(loaded->lastIcao, "LIRF");
  // Only the settings file is left: no temporary file beside it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(SettingsFile, ReportsADirectoryInItsPlace) {
  testing_support::TempDir dir;
  const std::string path = dir.file("Vantrelo.ini").string();
  std::filesystem::create_directory(path);
  EXPECT_FALSE(files::settingsFileExists(path));
  EXPECT_EQ(files::saveSettings("Eng", "KJFK", path), common::systemError(EISDIR));
  EXPECT_EQ(files::loadSettings(kDefaults, path).error(), common::systemError(EISDIR));
  EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST(SettingsFile, ReportsAMissingDirectory) {
  testing_support::TempDir dir;
  const std::string path = dir.file("gone/Vantrelo.ini").string();
  EXPECT_EQ(files::saveSettings("Eng", "KJFK", path), common::systemError(ENOENT));
  EXPECT_FALSE(files::loadSettings(kDefaults, path));
}

}  // namespace

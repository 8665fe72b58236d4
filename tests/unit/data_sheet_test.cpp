// SPDX-License-Identifier: MIT
#include "files/data_sheet.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "common/error.h"

#include <filesystem>
#include <string>

#include "common/text1252.h"
#include "temp_dir.h"

namespace {

using files::dataSheetFileName;

TEST(DataSheetName, JoinsCodeAndNameWithTwoSpaces) {
  EXPECT_EQ(dataSheetFileName("KJFK", "JOHN F KENNEDY INTL"), "KJFK  JOHN F KENNEDY INTL.txt");
}

TEST(DataSheetName, NeverNamesAnotherDirectory) {
  for (const std::string& name : {std::string("../../x"), std::string("/etc/passwd"),
                                  std::string("a/b"), std::string("nul\0byte", 8)}) {
    const std::filesystem::path path(common::cp1252ToUtf8(dataSheetFileName("..", name)));
    EXPECT_FALSE(path.has_parent_path()) << name;
    EXPECT_EQ(path.filename(), path) << name;
  }
  EXPECT_EQ(dataSheetFileName("X", "../../x"), "X  .._.._x.txt");
}

TEST(DataSheetName, NoControlCharacterNoHiddenOrOptionLikeName) {
  EXPECT_EQ(dataSheetFileName("AB\x1B[2J", "B\aL\tL\x7F\x01"), "AB_[2J  B_L_L__.txt");
  EXPECT_EQ(dataSheetFileName(".bashrc", "X"), "_bashrc  X.txt");
  EXPECT_EQ(dataSheetFileName("-rf", "X"), "_rf  X.txt");
  EXPECT_EQ(dataSheetFileName("A.-", ".-"), "A.-  .-.txt");  // only the first character
}

TEST(DataSheetName, ShortensLongNamesBeforeTheExtension) {
  const std::string ascii = dataSheetFileName("ABCD", std::string(300, 'N'));
  EXPECT_EQ(ascii.size(), 255u);
  EXPECT_EQ(ascii.substr(0, 6), "ABCD  ");
  EXPECT_EQ(ascii.substr(ascii.size() - 4), ".txt");
  const std::string accented = dataSheetFileName("ABCD", std::string(300, '\xC9'));  // É
  EXPECT_LE(common::cp1252ToUtf8(accented).size(), 255u);
  EXPECT_EQ(accented.substr(accented.size() - 4), ".txt");
}

TEST(DataSheetWrite, WritesTheBytesAndLeavesNoTemporaryFile) {
  testing_support::InTempWorkingDir inDir;
  const files::DataSheet sheet{"ABCD  \xC9T\xC9.txt", "line\r\n\xB0\r\n"};
  ASSERT_EQ(files::writeDataSheet(sheet), std::nullopt);
  EXPECT_EQ(inDir.dir().read("ABCD  ÉTÉ.txt"), sheet.bytes);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(inDir.dir().path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(DataSheetWrite, ReportsAFailureAndKeepsWhatStoodThere) {
  testing_support::InTempWorkingDir inDir;
  std::filesystem::create_directory(inDir.dir().file("ABCD  X.txt"));
  EXPECT_EQ(files::writeDataSheet({"ABCD  X.txt", "bytes"}), common::systemError(EISDIR));
  EXPECT_TRUE(std::filesystem::is_directory(inDir.dir().file("ABCD  X.txt")));
}

}  // namespace

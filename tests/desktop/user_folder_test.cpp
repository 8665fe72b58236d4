// SPDX-License-Identifier: MIT
// The working-folder choice where things go wrong; the ordinary rules are
// checked on the installed program by tests/import/install_layout.sh.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "ui/working_folder.h"

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

class UserFolder : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_root.isValid());
    for (const char* name : {"start", "share", "documents"})
      ASSERT_TRUE(QDir(path(name)).mkpath("."));
    writeFile(path("share/airports.txt"), "bundled\r\n");
    m_places = {path("start"), path("share/vantrelo"), path("documents"),
                path("share/airports.txt")};
  }
  QString path(const char* relative) const { return m_root.filePath(QLatin1String(relative)); }

  QTemporaryDir m_root;
  ui::FolderPlaces m_places;
};

TEST_F(UserFolder, DanglingDatabaseLinkKeepsTheCurrentFolder) {
  // Start-up then names the broken airports.txt; working elsewhere would hide it.
  ASSERT_EQ(::symlink("gone.txt", QFile::encodeName(path("start/airports.txt")).constData()), 0);
  const ui::FolderChoice choice = ui::chooseWorkingFolder({}, m_places);
  EXPECT_EQ(choice.path, m_places.current);
  EXPECT_FALSE(QFileInfo::exists(path("documents/Vantrelo")));
}

TEST_F(UserFolder, FolderThatCannotBeMadeIsAFailureNamingIt) {
  writeFile(path("documents/Vantrelo"), "a file in the way");
  const ui::FolderChoice choice = ui::chooseWorkingFolder({}, m_places);
  EXPECT_TRUE(choice.path.isEmpty());
  EXPECT_TRUE(
      choice.error.startsWith("Cannot make the folder \"" + path("documents/Vantrelo") + "\": "))
      << choice.error.toStdString();
}

TEST_F(UserFolder, MissingBundledDatabaseIsAFailureNamingIt) {
  ASSERT_TRUE(QFile::remove(path("share/airports.txt")));
  const ui::FolderChoice choice = ui::chooseWorkingFolder({}, m_places);
  EXPECT_TRUE(choice.path.isEmpty());
  EXPECT_EQ(choice.error, "Cannot read the bundled database \"" + path("share/airports.txt") +
                              "\": No such file or directory");
  EXPECT_FALSE(QFileInfo::exists(path("documents/Vantrelo/airports.txt")));
  EXPECT_TRUE(QDir(path("documents/Vantrelo"))
                  .entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden)
                  .isEmpty());
}

TEST_F(UserFolder, SpecialFileInPlaceOfTheDatabaseIsNeverRead) {
  // Reading a fifo to compare it with the bundled database would never end.
  ASSERT_TRUE(QDir(path("documents/Vantrelo")).mkpath("."));
  ASSERT_EQ(::mkfifo(QFile::encodeName(path("documents/Vantrelo/airports.txt")).constData(), 0600),
            0);
  const ui::FolderChoice choice = ui::chooseWorkingFolder({}, m_places);
  EXPECT_EQ(choice.path, path("documents/Vantrelo"));
  EXPECT_TRUE(choice.error.isEmpty());
}

TEST_F(UserFolder, UnreadableFolderIsReportedWhenEntered) {
  const QString error = ui::enterFolder(path("no such folder"));
  EXPECT_EQ(error,
            "Cannot open the folder \"" + path("no such folder") + "\": No such file or directory");
}

}  // namespace

// SPDX-License-Identifier: MIT
// The working-folder choice where things go wrong; the ordinary rules are
// checked on the installed program by tests/import/install_layout.sh.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

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
    for (const char* name : {"start", "share", "documents", "home"})
      ASSERT_TRUE(QDir(path(name)).mkpath("."));
    writeFile(path("share/airports.txt"), "bundled\r\n");
    m_places = {bytes("start"), path("share/vantrelo"), path("documents"),
                path("share/airports.txt"), bytes("home")};
  }
  QString path(const char* relative) const { return m_root.filePath(QLatin1String(relative)); }
  QByteArray bytes(const char* relative) const { return QFile::encodeName(path(relative)); }
  bool nothingMade() const {
    return QDir(path("documents"))
        .entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden)
        .isEmpty();
  }

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
  EXPECT_EQ(choice.path, bytes("documents/Vantrelo"));
  EXPECT_TRUE(choice.error.isEmpty());
}

TEST_F(UserFolder, UnreadableFolderIsReportedWhenEntered) {
  const QString error = ui::enterFolder(bytes("no such folder"));
  EXPECT_EQ(error,
            "Cannot open the folder \"" + path("no such folder") + "\": No such file or directory");
}

TEST_F(UserFolder, WithoutAHomeFolderNothingIsMadeAndTheReasonIsGiven) {
  // Qt takes "/" for a missing home: the folder would be /Documents/Vantrelo.
  m_places.home.clear();
  ui::FolderChoice choice = ui::chooseWorkingFolder({}, m_places);
  EXPECT_TRUE(choice.path.isEmpty());
  EXPECT_EQ(choice.error, "Cannot find the home folder: HOME is not set");
  for (const char* home : {"home/nowhere", "share/airports.txt"}) {
    m_places.home = bytes(home);
    choice = ui::chooseWorkingFolder({}, m_places);
    EXPECT_TRUE(choice.path.isEmpty());
    EXPECT_EQ(choice.error,
              "Cannot find the home folder: HOME \"" + path(home) + "\" is not a folder");
  }
  m_places.home = "relative";
  EXPECT_FALSE(ui::chooseWorkingFolder({}, m_places).error.isEmpty());
  EXPECT_TRUE(nothingMade());
  // A folder given, or a database at hand, needs no home.
  EXPECT_EQ(ui::chooseWorkingFolder(bytes("start"), m_places).path, bytes("start"));
  writeFile(path("start/airports.txt"), "own\r\n");
  EXPECT_EQ(ui::chooseWorkingFolder({}, m_places).path, bytes("start"));
}

TEST_F(UserFolder, FolderNamesThatAreNotUtf8AreUsedByTheirBytes) {
  // "Zürich" in Latin-1: no UTF-8 decoding keeps the 0xFC.
  const QByteArray latin1 = bytes("start") + "/Z\xfcrich";
  ASSERT_EQ(::mkdir(latin1.constData(), 0700), 0);
  ASSERT_EQ(::close(::creat((latin1 + "/airports.txt").constData(), 0600)), 0);
  m_places.current = latin1;
  EXPECT_EQ(ui::chooseWorkingFolder({}, m_places).path, latin1);
  EXPECT_TRUE(nothingMade());
  const QByteArray before = QFile::encodeName(QDir::currentPath());
  EXPECT_EQ(ui::enterFolder(latin1), QString());
  char* now = ::getcwd(nullptr, 0);
  EXPECT_EQ(QByteArray(now), latin1);
  std::free(now);  // NOLINT(cppcoreguidelines-no-malloc): getcwd's own buffer
  ASSERT_EQ(::chdir(before.constData()), 0);
}

}  // namespace

// SPDX-License-Identifier: MIT
#include "ui/working_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "lookup/airport_database.h"
#include "ui/database_seed.h"

namespace ui {

namespace {

const QString kDatabaseName = QString::fromLatin1(lookup::kDatabaseFileName);

// A dangling link counts as present: start-up then names the broken file
// instead of the program quietly working elsewhere.
bool holdsDatabase(const QByteArray& folder) {
  struct stat status {};
  return ::lstat((folder + '/' + QFile::encodeName(kDatabaseName)).constData(), &status) == 0;
}

// Why the user's folder cannot be had in the home folder, or an empty text.
// Without this check Qt takes "/" for a missing home and the folder would
// be made at /Documents/Vantrelo.
QString homeProblem(const QByteArray& home) {
  if (home.isEmpty()) return QStringLiteral("Cannot find the home folder: HOME is not set");
  struct stat status {};
  if (!home.startsWith('/') || ::stat(home.constData(), &status) != 0 || !S_ISDIR(status.st_mode)) {
    return QStringLiteral("Cannot find the home folder: HOME \"%1\" is not a folder")
        .arg(QFile::decodeName(home));
  }
  return {};
}

// As the earlier launcher computed it, so that its folder is found again.
QString earlierDataDir() {
  QString dataHome = QFile::decodeName(qgetenv("XDG_DATA_HOME"));
  if (!dataHome.startsWith(QLatin1Char('/')))
    dataHome = QDir::homePath() + QStringLiteral("/.local/share");
  return dataHome + QStringLiteral("/vantrelo");
}

}  // namespace

FolderPlaces standardPlaces() {
  FolderPlaces places;
  // The raw bytes: QDir::currentPath() loses a name that is not UTF-8.
  if (char* current = ::getcwd(nullptr, 0)) {
    places.current = current;
    std::free(current);  // NOLINT(cppcoreguidelines-no-malloc): getcwd's own buffer
  }
  places.home = qgetenv("HOME");
  places.earlierDataDir = earlierDataDir();
  // Qt reads XDG_DOCUMENTS_DIR from user-dirs.dirs, as xdg-user-dir does,
  // and falls back to ~/Documents.
  places.documentsDir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  places.bundledDatabase =
      QDir::cleanPath(QCoreApplication::applicationDirPath() +
                      QStringLiteral("/" VANTRELO_BIN_TO_DATA "/") + kDatabaseName);
  return places;
}

FolderChoice chooseWorkingFolder(const QByteArray& givenFolder, const FolderPlaces& places) {
  if (!givenFolder.isEmpty()) return {givenFolder, {}};
  if (!places.current.isEmpty() && holdsDatabase(places.current)) return {places.current, {}};

  if (QString problem = homeProblem(places.home); !problem.isEmpty()) return {{}, problem};
  QString userFolder = places.earlierDataDir;
  if (!QFileInfo(userFolder).isDir()) {
    if (places.documentsDir.isEmpty())
      return {{}, QStringLiteral("Cannot find the documents folder")};
    userFolder = QDir(places.documentsDir).filePath(QStringLiteral("Vantrelo"));
  }
  const QString error = prepareUserFolder(userFolder, places.bundledDatabase);
  if (!error.isEmpty()) return {{}, error};
  return {QFile::encodeName(userFolder), {}};
}

QString enterFolder(const QByteArray& path) {
  if (::chdir(path.constData()) == 0) return {};
  return QStringLiteral("Cannot open the folder \"%1\": %2")
      .arg(QFile::decodeName(path), QString::fromLocal8Bit(std::strerror(errno)));
}

}  // namespace ui

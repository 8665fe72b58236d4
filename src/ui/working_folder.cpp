// SPDX-License-Identifier: MIT
#include "ui/working_folder.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>

#include "ui/database_seed.h"

namespace ui {

namespace {

const QString kDatabaseName = QStringLiteral("airports.txt");

// A dangling link counts as present: start-up then names the broken file
// instead of the program quietly working elsewhere.
bool holdsDatabase(const QString& folder) {
  const QFileInfo database(QDir(folder).filePath(kDatabaseName));
  return database.exists() || database.isSymLink();
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
  places.current = QDir::currentPath();
  places.earlierDataDir = earlierDataDir();
  // Qt reads XDG_DOCUMENTS_DIR from user-dirs.dirs, as xdg-user-dir does,
  // and falls back to ~/Documents.
  places.documentsDir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  places.bundledDatabase =
      QDir::cleanPath(QCoreApplication::applicationDirPath() +
                      QStringLiteral("/" VANTRELO_BIN_TO_DATA "/") + kDatabaseName);
  return places;
}

FolderChoice chooseWorkingFolder(const QString& givenFolder, const FolderPlaces& places) {
  if (!givenFolder.isEmpty()) return {givenFolder, {}};
  if (holdsDatabase(places.current)) return {places.current, {}};

  QString userFolder = places.earlierDataDir;
  if (!QFileInfo(userFolder).isDir()) {
    if (places.documentsDir.isEmpty())
      return {{}, QStringLiteral("Cannot find the documents folder")};
    userFolder = QDir(places.documentsDir).filePath(QStringLiteral("Vantrelo"));
  }
  const QString error = prepareUserFolder(userFolder, places.bundledDatabase);
  if (!error.isEmpty()) return {{}, error};
  return {userFolder, {}};
}

QString enterFolder(const QString& path) {
  if (::chdir(QFile::encodeName(path).constData()) == 0) return {};
  return QStringLiteral("Cannot open the folder \"%1\": %2")
      .arg(path, QString::fromLocal8Bit(std::strerror(errno)));
}

}  // namespace ui

// SPDX-License-Identifier: MIT
#include "ui/database_seed.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

#include "bundled_database_hashes.h"
#include "lookup/airport_database.h"

namespace ui {

namespace {

QString failure(const QString& what, const QString& path, const QString& reason) {
  return QStringLiteral("%1 \"%2\": %3").arg(what, QDir::toNativeSeparators(path), reason);
}

std::optional<QByteArray> readWhole(const QString& path, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    *error = failure(QStringLiteral("Cannot read the bundled database"), path, file.errorString());
    return std::nullopt;
  }
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    *error = failure(QStringLiteral("Cannot read the bundled database"), path, file.errorString());
    return std::nullopt;
  }
  return bytes;
}

// The copy is made beside the target and then moved into place without
// replacing a file that has appeared there meanwhile.
QString seed(const QString& target, const QByteArray& database) {
  QFile copy(target + QStringLiteral(".seeding"));
  if (!copy.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      copy.write(database) != database.size() || !copy.flush()) {
    QString error = failure(QStringLiteral("Cannot write"), copy.fileName(), copy.errorString());
    copy.remove();
    return error;
  }
  copy.close();
  if (copy.rename(target)) return {};
  const QString reason = copy.errorString();
  copy.remove();
  if (QFileInfo::exists(target)) return {};  // another start seeded it first
  return failure(QStringLiteral("Cannot write"), target, reason);
}

QString replace(const QString& target, const QByteArray& database) {
  QSaveFile file(target);
  if (!file.open(QIODevice::WriteOnly) || file.write(database) != database.size() || !file.commit())
    return failure(QStringLiteral("Cannot update"), target, file.errorString());
  return {};
}

QByteArray sha256Hex(const QByteArray& bytes) {
  return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

// Empty when the file cannot be read: start-up then reports it by its name.
QByteArray fileSha256Hex(const QString& path) {
  QFile file(path);
  QCryptographicHash hash(QCryptographicHash::Sha256);
  if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file)) return {};
  return hash.result().toHex();
}

// A database of the user's own may be large: it is read only when its size
// is that of a bundled one.
bool isBundledDatabase(const QString& path, qint64 sizeBytes) {
  const auto sameSize = [sizeBytes](const BundledDatabase& bundled) {
    return bundled.sizeBytes == sizeBytes;
  };
  if (std::none_of(kBundledDatabases.begin(), kBundledDatabases.end(), sameSize)) return false;
  const QByteArray hash = fileSha256Hex(path);
  const std::string_view wanted(hash.constData(), static_cast<std::size_t>(hash.size()));
  return std::any_of(kBundledDatabases.begin(), kBundledDatabases.end(),
                     [&](const BundledDatabase& bundled) {
                       return bundled.sizeBytes == sizeBytes && bundled.sha256Hex == wanted;
                     });
}

}  // namespace

QString prepareUserFolder(const QString& folder, const QString& bundledDatabase) {
  std::error_code made;
  std::filesystem::create_directories(QFile::encodeName(folder).toStdString(), made);
  if (made)
    return failure(QStringLiteral("Cannot make the folder"), folder,
                   QString::fromLocal8Bit(made.message()));

  const QString target = QDir(folder).filePath(QString::fromLatin1(lookup::kDatabaseFileName));
  const QFileInfo existing(target);
  const bool present = existing.exists() || existing.isSymLink();
  // Only a plain file is read: a fifo or device in its place would block or never end.
  if (present && !existing.isFile()) return {};
  if (present && !isBundledDatabase(target, existing.size())) return {};

  QString error;
  const std::optional<QByteArray> database = readWhole(bundledDatabase, &error);
  if (!database) return error;
  if (!present) return seed(target, *database);
  if (fileSha256Hex(target) == sha256Hex(*database)) return {};
  return replace(target, *database);
}

}  // namespace ui

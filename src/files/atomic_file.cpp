// SPDX-License-Identifier: MIT
#include "files/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <random>

#include "common/error.h"
#include "files/in_place_write.h"
#include "files/save_target.h"
#include "files/temporary_file.h"

namespace files {
namespace {

// Makes the folder's entries (the rename) durable. A folder that cannot be
// opened for reading, or a file system that cannot sync folders, gives
// nothing to roll back for.
std::optional<common::Error> syncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::optional<common::Error> error;
  if (::fsync(fd) != 0 && errno != EINVAL && errno != ENOTSUP) error = common::systemError(errno);
  ::close(fd);
  return error;
}

// A second name for the file being replaced, so it can be put back when the
// save fails after the rename. Where the file system has no hard links
// there is no second name and nothing can be put back.
class OldFileKeeper {
 public:
  OldFileKeeper(const std::filesystem::path& target, const std::filesystem::path& folder)
      : m_target(target) {
    static std::minstd_rand generator{std::random_device{}()};
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
      std::filesystem::path candidate = folder / temporaryName(generator());
      if (::link(target.c_str(), candidate.c_str()) == 0) {
        m_copy = std::move(candidate);
        return;
      }
      if (errno != EEXIST) return;
    }
  }
  OldFileKeeper(const OldFileKeeper&) = delete;
  OldFileKeeper& operator=(const OldFileKeeper&) = delete;
  ~OldFileKeeper() {
    if (!m_copy.empty()) ::unlink(m_copy.c_str());
  }

  void putBack() {
    if (!m_copy.empty() && ::rename(m_copy.c_str(), m_target.c_str()) == 0) m_copy.clear();
  }

 private:
  std::filesystem::path m_target;
  std::filesystem::path m_copy;
};

}  // namespace

std::optional<common::Error> writeFileAtomically(const std::filesystem::path& requested,
                                                 std::string_view bytes) {
  SaveTarget target;
  if (auto refused = resolveSaveTarget(requested, target)) return refused;
  std::filesystem::path folder = target.path.parent_path();
  if (folder.empty()) folder = ".";

  TemporaryFile temporary;
  if (auto failure = temporary.create(folder)) {
    if (!folderRefusesTemporary(temporary.createError())) return failure;
    const int fd = openInPlace(target);
    if (fd < 0) return failure;
    return writeInPlace(fd, bytes);
  }
  if (target.existing) {
    if (auto failure = temporary.takeOwnerAndMode(*target.existing)) return failure;
  }
  if (auto failure = temporary.write(bytes)) return failure;
  if (auto failure = temporary.syncAndClose()) return failure;

  std::optional<OldFileKeeper> oldFile;
  if (target.existing) oldFile.emplace(target.path, folder);
  if (::rename(temporary.path().c_str(), target.path.c_str()) != 0) {
    return common::systemError(errno);
  }
  temporary.keep();
  if (auto failure = syncFolder(folder)) {
    if (oldFile) oldFile->putBack();
    return failure;
  }
  return std::nullopt;
}

}  // namespace files

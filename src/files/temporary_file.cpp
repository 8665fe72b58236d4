// SPDX-License-Identifier: MIT
#include "files/temporary_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <random>

#include "common/error.h"

namespace files {

namespace {

constexpr std::string_view kPrefix = ".vantrelo-";
constexpr std::string_view kSuffix = ".tmp";

}  // namespace

std::string temporaryName(unsigned long number) {
  return std::string(kPrefix) + std::to_string(number) + std::string(kSuffix);
}

bool isTemporaryName(std::string_view name) {
  if (name.size() <= kPrefix.size() + kSuffix.size()) return false;
  if (name.substr(0, kPrefix.size()) != kPrefix) return false;
  if (name.substr(name.size() - kSuffix.size()) != kSuffix) return false;
  const std::string_view digits =
      name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
  return digits.find_first_not_of("0123456789") == std::string_view::npos;
}

std::optional<common::Error> writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return common::systemError(errno);
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return std::nullopt;
}

TemporaryFile::~TemporaryFile() {
  if (m_fd >= 0) ::close(m_fd);
  if (!m_path.empty()) ::unlink(m_path.c_str());
}

std::optional<common::Error> TemporaryFile::create(const std::filesystem::path& folder) {
  // Seeded per process, so two programs saving in one folder pick different
  // names; O_EXCL settles the rare clash.
  static std::minstd_rand generator{std::random_device{}()};
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    std::filesystem::path candidate = folder / temporaryName(generator());
    m_fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (m_fd >= 0) {
      m_path = std::move(candidate);
      return std::nullopt;
    }
    if (errno != EEXIST) break;
  }
  m_createError = errno;
  return common::systemError(m_createError);
}

std::optional<common::Error> TemporaryFile::takeOwnerAndMode(const struct stat& original) {
  struct stat own {};
  if (::fstat(m_fd, &own) != 0) return common::systemError(errno);
  // Only root may give a file away; anyone else keeps their own file, which
  // is what a plain rewrite by them would have made anyway.
  if (own.st_uid != original.st_uid || own.st_gid != original.st_gid) {
    if (::fchown(m_fd, original.st_uid, original.st_gid) != 0) {
      // EPERM unless root: the new file stays the writer's own.
    }
  }
  // After fchown, which clears the set-user-ID and set-group-ID bits.
  if (::fchmod(m_fd, original.st_mode & 07777) != 0) return common::systemError(errno);
  return std::nullopt;
}

std::optional<common::Error> TemporaryFile::write(std::string_view bytes) {
  return writeAll(m_fd, bytes);
}

std::optional<common::Error> TemporaryFile::syncAndClose() {
  const bool synced = ::fsync(m_fd) == 0;
  const int syncError = errno;
  // Linux closes the descriptor even when close is interrupted.
  const bool closed = ::close(m_fd) == 0 || errno == EINTR;
  m_fd = -1;
  if (!synced) return common::systemError(syncError);
  if (!closed) return common::systemError(errno);
  return std::nullopt;
}

}  // namespace files

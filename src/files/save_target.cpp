// SPDX-License-Identifier: MIT
#include "files/save_target.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "common/error.h"

namespace files {
namespace {

// As many links as the kernel follows in one path lookup.
constexpr int kMaxLinks = 40;

// The kernel's protected_symlinks rule for the link `link` (as lstat saw
// it): in a sticky, world-writable folder a link is followed only when it
// belongs to the user or to the folder's owner.
bool mayFollowLink(const std::filesystem::path& link, const struct stat& linkStatus) {
  std::filesystem::path folder = link.parent_path();
  if (folder.empty()) folder = ".";
  struct stat folderStatus {};
  if (::stat(folder.c_str(), &folderStatus) != 0) return false;
  constexpr mode_t kShared = S_ISVTX | S_IWOTH;
  if ((folderStatus.st_mode & kShared) != kShared) return true;
  return linkStatus.st_uid == ::geteuid() || linkStatus.st_uid == folderStatus.st_uid;
}

// Moves link on to what it points to, where the rule lets it.
std::optional<common::Error> followLink(std::filesystem::path& link,
                                        const struct stat& linkStatus) {
  if (!mayFollowLink(link, linkStatus)) return common::Error{common::kLinkOfAnotherUser};
  std::error_code ec;
  const std::filesystem::path pointee = std::filesystem::read_symlink(link, ec);
  if (ec) return common::systemError(ec.value());
  link = pointee.is_absolute() ? pointee : link.parent_path() / pointee;
  return std::nullopt;
}

}  // namespace

std::optional<common::Error> resolveSaveTarget(const std::filesystem::path& requested,
                                               SaveTarget& target) {
  std::filesystem::path current = requested;
  for (int links = 0;; ++links) {
    struct stat status {};
    if (::lstat(current.c_str(), &status) != 0) {
      if (errno != ENOENT) return common::systemError(errno);
      target = {current, std::nullopt};
      return std::nullopt;
    }
    if (S_ISLNK(status.st_mode)) {
      if (links == kMaxLinks) return common::systemError(ELOOP);
      if (auto refused = followLink(current, status)) return refused;
      continue;
    }
    if (S_ISDIR(status.st_mode)) return common::systemError(EISDIR);
    if (!S_ISREG(status.st_mode)) return common::Error{common::kNotRegularFile};
    // Renaming needs only the folder's permission; a file its owner made
    // read-only must stay as it is, as if it had been opened for writing.
    if (::faccessat(AT_FDCWD, current.c_str(), W_OK, AT_EACCESS) != 0) {
      return common::systemError(errno);
    }
    target = {current, status};
    return std::nullopt;
  }
}

}  // namespace files

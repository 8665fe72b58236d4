// SPDX-License-Identifier: MIT
#pragma once

// The file a save replaces. A symbolic link is followed to the end of its
// chain, so the file it points to is replaced and the link stays (a link to
// a file that does not exist yet creates that file). A link is followed
// only where the kernel's protected_symlinks rule would follow it: in a
// sticky folder that anyone may write (/tmp, a shared team folder) only a
// link of this user or of the folder's owner, so a link planted there by
// someone else cannot turn the save onto another file of this user.
// Anything but a regular file, or a file that may not be written, is
// refused.

#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <string>

#include "common/error.h"

namespace files {

struct SaveTarget {
  std::filesystem::path path;           // the file to replace or create
  std::optional<struct stat> existing;  // what is there now, if anything
};

// Returns nothing and fills target when the save may go ahead, else the
// reason it may not (the system's, common::kNotRegularFile or
// common::kLinkOfAnotherUser).
std::optional<common::Error> resolveSaveTarget(const std::filesystem::path& requested,
                                               SaveTarget& target);

}  // namespace files

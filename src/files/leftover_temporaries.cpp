// SPDX-License-Identifier: MIT
#include "files/leftover_temporaries.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <memory>

#include "files/temporary_file.h"

namespace files {
namespace {

struct FolderCloser {
  void operator()(DIR* folder) const { ::closedir(folder); }
};

}  // namespace

int removeLeftoverTemporaries(const std::filesystem::path& folder) {
  const std::unique_ptr<DIR, FolderCloser> entries(::opendir(folder.c_str()));
  if (!entries) return 0;
  const int folderFd = ::dirfd(entries.get());
  const std::time_t oldest =
      std::time(nullptr) - std::chrono::duration_cast<std::chrono::seconds>(kLeftoverAge).count();
  int removed = 0;
  while (const dirent* entry = ::readdir(entries.get())) {
    if (!isTemporaryName(entry->d_name)) continue;
    struct stat status {};
    if (::fstatat(folderFd, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (!S_ISREG(status.st_mode) || status.st_uid != ::geteuid()) continue;
    if (status.st_mtime > oldest) continue;
    if (::unlinkat(folderFd, entry->d_name, 0) == 0) ++removed;
  }
  return removed;
}

}  // namespace files

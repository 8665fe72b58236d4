// SPDX-License-Identifier: MIT
#include "files/in_place_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "files/temporary_file.h"

namespace files {

bool folderRefusesTemporary(int errorNumber) {
  return errorNumber == EACCES || errorNumber == EPERM || errorNumber == EROFS;
}

int openInPlace(const SaveTarget& target) {
  if (!target.existing) return -1;
  // No O_TRUNC yet: nothing is changed before the file is known to be the one checked.
  const int fd = ::open(target.path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
      status.st_dev != target.existing->st_dev || status.st_ino != target.existing->st_ino) {
    ::close(fd);
    return -1;
  }
  return fd;
}

std::optional<common::Error> writeInPlace(int fd, std::string_view bytes) {
  std::optional<common::Error> failure;
  if (::ftruncate(fd, 0) != 0) failure = common::systemError(errno);
  if (!failure) failure = writeAll(fd, bytes);
  if (!failure && ::fsync(fd) != 0) failure = common::systemError(errno);
  // Linux closes the descriptor even when close is interrupted.
  if (::close(fd) != 0 && errno != EINTR && !failure) failure = common::systemError(errno);
  return failure;
}

}  // namespace files

// SPDX-License-Identifier: MIT
#include "common/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace common {

Expected<int> openRegularFile(const char* path) {
  // Without blocking: opening a FIFO would wait for a writer for ever.
  const int fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    const int error = errno;
    // A socket cannot be opened at all; the system's "No such device or
    // address" would not tell why.
    struct stat status {};
    if (error == ENXIO && ::stat(path, &status) == 0 && !S_ISREG(status.st_mode)) {
      return Error{kNotRegularFile};
    }
    return systemError(error);
  }
  struct stat status {};
  if (::fstat(fd, &status) != 0) {
    const int error = errno;
    ::close(fd);
    return systemError(error);
  }
  if (!S_ISREG(status.st_mode)) {
    ::close(fd);
    if (S_ISDIR(status.st_mode)) return systemError(EISDIR);
    return Error{kNotRegularFile};
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

}  // namespace common

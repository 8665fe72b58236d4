// SPDX-License-Identifier: MIT
#pragma once

// Opening a file that is to be read to its end. A FIFO, a socket or a device
// (/dev/zero) may never end, and opening a FIFO would wait for a writer,
// so only a regular file is opened.

#include "common/error.h"

namespace common {

// A descriptor open for reading (blocking, closed on exec), or why not:
// the system's reason, "Is a directory", or kNotRegularFile.
Expected<int> openRegularFile(const char* path);

}  // namespace common

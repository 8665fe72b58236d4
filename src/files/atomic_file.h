// SPDX-License-Identifier: MIT
#pragma once

// Saving a whole file so that a reader, a second writer or a crash sees
// either the old file or the new one, never a part:
//   1. the bytes go to a new temporary file in the target's folder, which
//      takes the owner (where the process may) and mode of the file it will
//      replace;
//   2. the temporary file is flushed to the disk (fsync) and closed;
//   3. it is renamed over the target;
//   4. the folder is flushed to the disk, so the rename survives a crash.
// A symbolic link is followed (where the kernel would follow it, see
// save_target.h): the file it points to is replaced and the link stays. A
// target that is a folder, a device, a FIFO or a socket, or a file that may
// not be written, is refused and left alone.
//
// Where the folder refuses the temporary file (EACCES, EPERM, EROFS) but the
// file itself may be written, it is written in place instead, with a weaker
// guarantee (files/in_place_write.h).
//
// Otherwise any failure leaves the old file as it was and no temporary file
// behind; when step 4 fails the old file is put back. Only a crash (or a
// kill) during a save can leave a ".vantrelo-*.tmp" file in the folder,
// which a later start-up removes (files/leftover_temporaries.h).

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/error.h"

namespace files {

// Returns nothing on success, else the reason, in Windows-1252: usually the
// system's (e.g. "No space left on device").
std::optional<common::Error> writeFileAtomically(const std::filesystem::path& requested,
                                                 std::string_view bytes);

}  // namespace files

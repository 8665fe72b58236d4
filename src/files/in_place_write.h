// SPDX-License-Identifier: MIT
#pragma once

// The fallback of a save where the folder refuses a temporary file (a
// folder the user may not write, holding files they may): the file itself
// is emptied, written and flushed to the disk, as QSaveFile's direct write
// does. Readers may then see it empty or part-written for a moment, and a
// crash or a failing disk during the write can leave it so: the guarantee
// is weaker than the rename's, and used only where that cannot be had.

#include <optional>
#include <string_view>

#include "common/error.h"
#include "files/save_target.h"

namespace files {

// Whether a failure to make the temporary file (its errno) is the folder's
// refusal, which writing in place may get round.
bool folderRefusesTemporary(int errorNumber);

// Opens the existing target for writing in place: never through a link, never
// a FIFO or device, and only the file resolveSaveTarget saw. -1 when it
// cannot be had.
int openInPlace(const SaveTarget& target);

// Empties the file open on fd, writes bytes, flushes and closes it.
std::optional<common::Error> writeInPlace(int fd, std::string_view bytes);

}  // namespace files

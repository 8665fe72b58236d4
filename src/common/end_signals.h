// SPDX-License-Identifier: MIT
#pragma once

// The signals that ask a program to end: kill's default, Ctrl+C and a
// closed terminal (SIGTERM, SIGINT, SIGHUP).

namespace common {

using SignalHandler = void (*)(int signal);

// Gives each end signal to handler, except one its starter set to be
// ignored (nohup). A system call the handler interrupts is restarted
// (SA_RESTART), so that an interrupted write or fsync of a save goes on.
void handleEndSignals(SignalHandler handler);

// Puts the default back for each end signal that handler still has.
void releaseEndSignals(SignalHandler handler);

}  // namespace common

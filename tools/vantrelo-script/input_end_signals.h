// SPDX-License-Identifier: MIT
#pragma once

// SIGTERM, SIGINT and SIGHUP end the driver as the end of its input does,
// after the command under way (and any save in it) has finished, with
// status 0. The handler puts /dev/null in place of standard input, so a
// read that waits for the next line sees the end at once. A signal ignored
// when the program started (nohup) stays ignored.

namespace tools {

void endInputOnSignals();

// True once one of the signals has come.
bool endSignalReceived();

}  // namespace tools

// SPDX-License-Identifier: MIT
#include "input_end_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "common/end_signals.h"

namespace tools {
namespace {

volatile std::sig_atomic_t g_received = 0;
int g_nullInput = -1;

void onEndSignal(int /*signal*/) {
  const int savedErrno = errno;
  g_received = 1;
  ::dup2(g_nullInput, STDIN_FILENO);
  errno = savedErrno;
}

}  // namespace

void endInputOnSignals() {
  g_nullInput = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  if (g_nullInput < 0) return;
  common::handleEndSignals(onEndSignal);
}

bool endSignalReceived() {
  return g_received != 0;
}

}  // namespace tools

// SPDX-License-Identifier: MIT
#include "input_end_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <initializer_list>

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
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    struct sigaction action {};
    if (::sigaction(signal, nullptr, &action) == 0 && action.sa_handler == SIG_IGN) continue;
    action = {};
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    // Restarted: an interrupted write or fsync of a save goes on.
    action.sa_flags = SA_RESTART;
    ::sigaction(signal, &action, nullptr);
  }
}

bool endSignalReceived() {
  return g_received != 0;
}

}  // namespace tools

// SPDX-License-Identifier: MIT
#include "common/end_signals.h"

#include <array>
#include <csignal>

namespace common {
namespace {

constexpr std::array kEndSignals{SIGTERM, SIGINT, SIGHUP};

}  // namespace

void handleEndSignals(SignalHandler handler) {
  for (const int signal : kEndSignals) {
    struct sigaction action {};
    if (::sigaction(signal, nullptr, &action) == 0 && action.sa_handler == SIG_IGN) continue;
    action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(signal, &action, nullptr);
  }
}

void releaseEndSignals(SignalHandler handler) {
  for (const int signal : kEndSignals) {
    struct sigaction action {};
    if (::sigaction(signal, nullptr, &action) == 0 && action.sa_handler == handler) {
      action.sa_handler = SIG_DFL;
      ::sigaction(signal, &action, nullptr);
    }
  }
}

}  // namespace common

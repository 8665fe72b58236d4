// SPDX-License-Identifier: MIT
#include "ui/end_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <array>
#include <cerrno>

#include "common/end_signals.h"

namespace ui {
namespace {

std::array<int, 2> g_pipe{-1, -1};  // read end, write end

void onEndSignal(int /*signal*/) {
  const int savedErrno = errno;
  const char byte = 1;
  // A full pipe already holds a request; nothing is lost by dropping this one.
  [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
  errno = savedErrno;
}

}  // namespace

EndSignals::EndSignals(std::function<void()> onSignal, QObject* parent)
    : QObject(parent), m_onSignal(std::move(onSignal)) {
  if (::pipe2(g_pipe.data(), O_CLOEXEC | O_NONBLOCK) != 0) return;
  m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
  connect(m_notifier, &QSocketNotifier::activated, this, [this] {
    char bytes[16];
    while (::read(g_pipe[0], bytes, sizeof bytes) > 0) {
    }
    if (m_onSignal) m_onSignal();
  });
  common::handleEndSignals(onEndSignal);
}

EndSignals::~EndSignals() {
  common::releaseEndSignals(onEndSignal);
  for (int& fd : g_pipe) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
}

}  // namespace ui

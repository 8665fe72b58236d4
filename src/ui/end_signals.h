// SPDX-License-Identifier: MIT
#pragma once

// SIGTERM (a desktop logout), SIGINT (Ctrl+C in a terminal) and SIGHUP (the
// terminal gone) end the window as its Exit does, with status 0, instead of
// killing it in the middle of a save. The handler only writes a byte to a
// pipe; the event loop reads it and runs the given action, so a save under
// way finishes first. A signal ignored when the program started (nohup)
// stays ignored.

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace ui {

class EndSignals : public QObject {
 public:
  // One per process; onSignal runs on the event loop's thread.
  explicit EndSignals(std::function<void()> onSignal, QObject* parent = nullptr);
  ~EndSignals() override;
  EndSignals(const EndSignals&) = delete;
  EndSignals& operator=(const EndSignals&) = delete;

 private:
  std::function<void()> m_onSignal;
  QSocketNotifier* m_notifier = nullptr;
};

}  // namespace ui

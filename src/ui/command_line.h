// SPDX-License-Identifier: MIT
#pragma once

// The vantrelo command line: vantrelo [--help] [--version] [FOLDER].
// Qt's own options (-style, -platform, ...) may stand among these; they are
// read by QApplication, which takes them out of the arguments it keeps.

#include <QString>
#include <QStringList>

namespace ui {

struct CommandLine {
  enum class Request { Run, Help, Version, UsageError };
  Request request = Request::Run;
  QString folder;  // the FOLDER argument; empty when none was given
  QString error;   // what was wrong, for UsageError
};

// arguments[0] is the program's name.
CommandLine parseCommandLine(const QStringList& arguments);

QString helpText();
QString versionText();

}  // namespace ui

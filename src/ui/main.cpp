// SPDX-License-Identifier: MIT
// vantrelo: the airport-lookup window.
//   vantrelo [--help] [--version] [FOLDER]
// The working folder is chosen first (ui/working_folder.h); start-up then
// reads airports.txt and keeps Vantrelo.ini and the data sheets there.

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QMessageBox>
#include <cstdio>
#include <optional>
#include <string_view>

#include "common/messages.h"
#include "ui/command_line.h"
#include "ui/cp1252_text.h"
#include "ui/end_signals.h"
#include "ui/main_window.h"
#include "ui/working_folder.h"

namespace {

void print(std::FILE* stream, const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), stream);
}

void printUsageError(const QString& error) {
  print(stderr,
        QStringLiteral("vantrelo: %1\nTry 'vantrelo --help' for more information.\n").arg(error));
}

// --help, --version and a wrong line of folders must work without a display,
// so they are answered before QApplication looks for one. Other options may
// be Qt's own, which only QApplication can tell.
std::optional<int> answerWithoutWindow(int argc, char* argv[]) {
  QStringList arguments;
  bool optionsSeen = false;
  for (int i = 0; i < argc; ++i) {
    arguments << QString::fromLocal8Bit(argv[i]);
    optionsSeen = optionsSeen || (i > 0 && argv[i][0] == '-');
  }
  const ui::CommandLine line = ui::parseCommandLine(arguments);
  switch (line.request) {
    case ui::CommandLine::Request::Help:
      print(stdout, ui::helpText());
      return 0;
    case ui::CommandLine::Request::Version:
      print(stdout, ui::versionText());
      return 0;
    case ui::CommandLine::Request::UsageError:
      if (optionsSeen) return std::nullopt;
      printUsageError(line.error);
      return 2;
    case ui::CommandLine::Request::Run:
      break;
  }
  return std::nullopt;
}

// Qt aborts the process when it finds no display to open the window on;
// say so plainly instead. No platform chosen (QT_QPA_PLATFORM, -platform)
// and no X or Wayland display named is the case a terminal without a
// desktop has.
bool noDisplay(int argc, char* argv[]) {
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
    if (!qEnvironmentVariableIsEmpty(name)) return false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument(argv[i]);
    if (argument == "--") break;
    if (argument == "-platform" || argument == "--platform") return false;
  }
  return true;
}

// A desktop user never sees standard error, a terminal user may miss the box.
void reportFailure(const QString& text) {
  print(stderr, QStringLiteral("vantrelo: %1\n").arg(text));
  QMessageBox box(QMessageBox::Critical, ui::fromCp1252(common::kMessageTitle), text,
                  QMessageBox::Ok);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

// The FOLDER argument as the file system names it: the raw bytes of the
// argument it was read from (QApplication has taken Qt's own options out of
// argv by now), so a name in any encoding opens.
QByteArray folderBytes(int argc, char* argv[], const QString& folder) {
  if (folder.isEmpty()) return {};
  for (int i = argc - 1; i > 0; --i) {
    if (QFile::decodeName(argv[i]) == folder) return argv[i];
  }
  return QFile::encodeName(folder);
}

QIcon programIcon() {
  QIcon icon;
  // Smallest first: X11 takes the sizes in this order until its request is
  // full, so a large one first would leave out the small ones.
  for (int size : {VANTRELO_ICON_SIZES})
    icon.addFile(QStringLiteral(":/icons/vantrelo-%1.png").arg(size), QSize(size, size));
  return icon;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (const std::optional<int> status = answerWithoutWindow(argc, argv)) return *status;
  if (noDisplay(argc, argv)) {
    print(stderr, QStringLiteral("vantrelo: no display to open the window on "
                                 "(neither DISPLAY nor WAYLAND_DISPLAY is set)\n"));
    return 1;
  }

  QApplication app(argc, argv);
  QApplication::setWindowIcon(programIcon());
  QGuiApplication::setDesktopFileName(QStringLiteral("vantrelo"));

  // Qt has taken its own options out of the arguments by now.
  const ui::CommandLine line = ui::parseCommandLine(QApplication::arguments());
  if (line.request == ui::CommandLine::Request::UsageError) {
    printUsageError(line.error);
    return 2;
  }

  const ui::FolderChoice folder =
      ui::chooseWorkingFolder(folderBytes(argc, argv, line.folder), ui::standardPlaces());
  const QString error = folder.error.isEmpty() ? ui::enterFolder(folder.path) : folder.error;
  if (!error.isEmpty()) {
    reportFailure(error);
    return 1;
  }

  ui::MainWindow window;
  const ui::EndSignals endSignals([&window] { window.exitAsMenu(); });
  if (!window.startUp()) return 1;  // the failure has been shown already
  window.show();
  return QApplication::exec();
}

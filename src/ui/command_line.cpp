// SPDX-License-Identifier: MIT
#include "ui/command_line.h"

#include <QCommandLineParser>

#include "vantrelo_version.h"

namespace ui {

CommandLine parseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  // "-reverse" is one of Qt's options, not -r -e -v -e -r-s-e.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  const QCommandLineOption version(QStringList{QStringLiteral("V"), QStringLiteral("version")});
  parser.addOption(help);
  parser.addOption(version);

  CommandLine line;
  const bool parsed = parser.parse(arguments);
  // Help and version win over anything else on the line, as in GNU tools.
  if (parser.isSet(help)) {
    line.request = CommandLine::Request::Help;
  } else if (parser.isSet(version)) {
    line.request = CommandLine::Request::Version;
  } else if (!parsed) {
    line.request = CommandLine::Request::UsageError;
    line.error = parser.errorText();
  } else if (parser.positionalArguments().size() > 1) {
    line.request = CommandLine::Request::UsageError;
    line.error = QStringLiteral("only one folder may be given");
  } else if (!parser.positionalArguments().isEmpty()) {
    line.folder = parser.positionalArguments().constFirst();
    if (line.folder.isEmpty()) {
      line.request = CommandLine::Request::UsageError;
      line.error = QStringLiteral("the folder name is empty");
    }
  }
  return line;
}

QString helpText() {
  return QStringLiteral(
      "Usage: vantrelo [OPTION]... [FOLDER]\n"
      "Looks up airports, their runways and the distance between two of them.\n"
      "\n"
      "The window works in FOLDER when one is given. Otherwise it works in the\n"
      "current folder when that holds airports.txt, else in the user's Vantrelo\n"
      "folder: ~/.local/share/vantrelo when an earlier version made it, or else\n"
      "Vantrelo in the documents folder (~/Documents/Vantrelo), made and given\n"
      "the bundled world database on first use. The data sheets and\n"
      "Vantrelo.ini are written in that folder.\n"
      "\n"
      "  -h, --help     display this help and exit\n"
      "  -V, --version  output version information and exit\n"
      "\n"
      "Exit status: 0 when the window was closed, 1 on a failure, 2 on a bad\n"
      "command line.\n");
}

QString versionText() {
  return QStringLiteral("vantrelo %1\n").arg(QLatin1String(common::kProgramVersion));
}

}  // namespace ui

// SPDX-License-Identifier: MIT
// vantrelo-script: drives the whole program without a window. Run it in a
// directory holding airports.txt and feed it commands on standard input:
//   printf 'type kjfk\nclick Command1\ndump\n' | vantrelo-script
// With --echo each command line stands, marked "> ", before its output:
// the golden cases keep such transcripts.

#include <getopt.h>

#include <clocale>
#include <cstdio>
#include <iostream>

#include "input_end_signals.h"
#include "script_session.h"
#include "vantrelo_version.h"

namespace {

constexpr const char* kUsage =
    "Usage: vantrelo-script [OPTION]...\n"
    "Runs Vantrelo without a window in the current folder, which must hold\n"
    "airports.txt: start-up, then one command per line of standard input.\n"
    "\n"
    "  -e, --echo     print each input line, after \"> \", before its output\n"
    "  -h, --help     display this help and exit\n"
    "  -V, --version  output version information and exit\n";

enum class Request { Run, Help, Version, Usage };

struct Arguments {
  Request request = Request::Run;
  bool echo = false;
};

Arguments parseArguments(int argc, char* argv[]) {
  static const option kOptions[] = {{"echo", no_argument, nullptr, 'e'},
                                    {"help", no_argument, nullptr, 'h'},
                                    {"version", no_argument, nullptr, 'V'},
                                    {nullptr, 0, nullptr, 0}};
  Arguments arguments;
  int letter = 0;
  while ((letter = getopt_long(argc, argv, "ehV", kOptions, nullptr)) != -1) {
    if (letter == 'e') {
      arguments.echo = true;
      continue;
    }
    if (letter == 'h') return {Request::Help, false};
    if (letter == 'V') return {Request::Version, false};
    return {Request::Usage, false};  // getopt has named the bad option
  }
  if (optind < argc) {
    std::fprintf(stderr, "vantrelo-script: unexpected argument '%s'\n", argv[optind]);
    return {Request::Usage, false};
  }
  return arguments;
}

}  // namespace

int main(int argc, char* argv[]) {
  const Arguments arguments = parseArguments(argc, argv);
  switch (arguments.request) {
    case Request::Help:
      std::fputs(kUsage, stdout);
      return 0;
    case Request::Version:
      std::printf("vantrelo-script %s\n", common::kProgramVersion);
      return 0;
    case Request::Usage:
      std::fputs("Try 'vantrelo-script --help' for more information.\n", stderr);
      return 2;
    case Request::Run:
      break;
  }
  // The locale of the environment, as the window has it: no text may depend on it.
  std::setlocale(LC_ALL, "");
  std::ios::sync_with_stdio(false);
  tools::endInputOnSignals();
  return tools::runScriptSession(std::cin, std::cout, arguments.echo, tools::endSignalReceived);
}

// SPDX-License-Identifier: MIT
#pragma once

// The headless scenario driver: runs start-up in the working directory, then
// one command per input line (type, tick, click, dump, show, state) against
// the form logic, and prints what the window shows. Input and output are
// UTF-8; the program's texts are Windows-1252 in between.

#include <istream>
#include <ostream>

namespace tools {

// Returns the process exit status: 0 at Exit or the end of input, 1 when a
// failure ended the program.
int runScriptSession(std::istream& commands, std::ostream& out);

}  // namespace tools

// SPDX-License-Identifier: MIT
#pragma once

// The headless scenario driver: runs start-up in the working directory, then
// one command per input line (type, tick, click, dump, show, state) against
// the form logic, and prints what the window shows. Input and output are
// UTF-8; the program's texts are Windows-1252 in between.

#include <istream>
#include <ostream>

namespace tools {

// With echo, each input line is printed after kEchoPrefix before what it
// prints, which makes the output a transcript of the session; lines after
// Exit or a failed start-up are printed too, with nothing after them.
inline constexpr const char* kEchoPrefix = "> ";

// Returns the process exit status: 0 at Exit or the end of input, 1 when a
// failure ended the program. When inputEnded turns true, the input counts
// as ended after the command under way.
int runScriptSession(std::istream& commands, std::ostream& out, bool echo,
                     bool (*inputEnded)() = nullptr);

}  // namespace tools

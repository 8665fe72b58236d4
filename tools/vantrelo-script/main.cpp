// SPDX-License-Identifier: MIT
// vantrelo-script: drives the whole program without a window. Run it in a
// directory holding airports.txt and feed it commands on standard input:
//   printf 'type kjfk\nclick Command1\ndump\n' | vantrelo-script

#include <clocale>
#include <iostream>

#include "script_session.h"

int main() {
  // The locale of the environment, as the window has it: no text may depend on it.
  std::setlocale(LC_ALL, "");
  std::ios::sync_with_stdio(false);
  return tools::runScriptSession(std::cin, std::cout);
}

// SPDX-License-Identifier: MIT
#pragma once

// The message boxes the program shows: all titled with the program's name.

#include <string>
#include <string_view>

namespace common {

inline constexpr std::string_view kMessageTitle = "Vantrelo";

// What was being done to a file when it failed; the interface's language
// gives the words (form/languages.h).
enum class FileOperation { Open, Read, Write };

// A file that could not be used: "<what> "<file>": <the system's reason>",
// e.g. Cannot open "airports.txt": No such file or directory.
inline std::string fileFailureMessage(std::string_view what, std::string_view fileName,
                                      std::string_view reason) {
  std::string text(what);
  text += " \"";
  text += fileName;
  text += "\": ";
  text += reason;
  return text;
}

}  // namespace common

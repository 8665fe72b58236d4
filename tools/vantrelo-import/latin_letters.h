// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace importer {

// The plain letters for a Latin letter outside Windows-1252: U+0141 "Ł" ->
// "L", U+015F "ş" -> "s", U+1EBF "ế" -> "e", U+01C6 "ǆ" -> "dz". Empty for
// every other code point.
std::string_view latinBaseLetters(char32_t codePoint);

}  // namespace importer

// SPDX-License-Identifier: MIT
#pragma once

// Texts inside the program are Windows-1252 byte strings: one byte per
// character, positions count bytes. These helpers convert at the edges
// (window, driver, file names) and give the upper case the search uses.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace common {

// a-z and the accented letters with an upper-case form in Windows-1252
// (à..þ except ÷, š, œ, ž, ÿ); every other byte stays as it is (ß, µ).
char toUpper1252(char c);
std::string toUpper1252(std::string_view text);

// UTF-8 to Windows-1252, the one way typed text and imported data take:
// composed (NFC), then each character Windows-1252 cannot hold written in
// Latin letters by ICU's Any-Latin and, for what is still missing, plain
// letters ("łódź" -> "lódz", "İstanbul" -> "Istanbul", "Москва" ->
// "Moskva"). "?" stands for a character with no Latin form (an emoji) and
// for each byte that is not UTF-8.
std::string utf8ToCp1252(std::string_view utf8);

// Decodes the UTF-8 character at pos and moves pos past it. A byte that does
// not start a well-formed character (overlong forms, surrogates and code
// points past U+10FFFF included) gives nothing and moves pos on by one.
std::optional<char32_t> decodeUtf8(std::string_view text, std::size_t& pos);

// The Windows-1252 byte of a code point, or nothing when it has none.
std::optional<char> cp1252ByteOf(char32_t cp);

// Windows-1252 to UTF-8. The five unassigned bytes (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) map to the C1 controls of the same number, so every byte survives.
std::string cp1252ToUtf8(std::string_view text);

}  // namespace common

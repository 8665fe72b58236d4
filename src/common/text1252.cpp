// SPDX-License-Identifier: MIT
#include "common/text1252.h"

#include <array>
#include <cstdint>
#include <optional>

namespace common {
namespace {

// Unicode code points of the bytes 0x80..0x9F; the rest of Windows-1252
// equals Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t toCodePoint(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80u];
  return byte;
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

char toUpper1252(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte >= 'a' && byte <= 'z') return static_cast<char>(byte - 0x20);
  if (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7) return static_cast<char>(byte - 0x20);
  switch (byte) {
    case 0x9A:
      return static_cast<char>(0x8A);  // š -> Š
    case 0x9C:
      return static_cast<char>(0x8C);  // œ -> Œ
    case 0x9E:
      return static_cast<char>(0x8E);  // ž -> Ž
    case 0xFF:
      return static_cast<char>(0x9F);  // ÿ -> Ÿ
    default:
      return c;
  }
}

std::string toUpper1252(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    c = toUpper1252(c);
  return out;
}

std::optional<char32_t> decodeUtf8(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  std::size_t length = 0;
  char32_t cp = 0;
  char32_t least = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
    cp = lead & 0x1Fu;
    least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    cp = lead & 0x0Fu;
    least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    cp = lead & 0x07u;
    least = 0x10000;
  }
  bool valid = length > 0 && pos + length <= text.size();
  for (std::size_t k = 1; valid && k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[pos + k]);
    valid = (next & 0xC0) == 0x80;
    cp = (cp << 6) | (next & 0x3Fu);
  }
  // The shortest form only, and no surrogate or code point past U+10FFFF:
  // an overlong "\xC0\xAF" is not a "/" but two bytes that are not UTF-8.
  valid = valid && cp >= least && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
  if (!valid) {
    ++pos;
    return std::nullopt;
  }
  pos += length;
  return cp;
}

std::optional<char> cp1252ByteOf(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == cp) return static_cast<char>(0x80 + i);
  }
  return std::nullopt;
}

std::string cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (char c : text)
    appendUtf8(out, toCodePoint(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace common

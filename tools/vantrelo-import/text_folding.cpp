// SPDX-License-Identifier: MIT
#include "text_folding.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "common/text1252.h"

namespace importer {
namespace {

// What one code point becomes before the Windows-1252 conversion.
enum class Kind { Keep, Drop, Blank, Hyphen, Apostrophe };

Kind classify(char32_t cp) {
  if (cp == '"' || cp == 0x7F) return Kind::Drop;
  if (cp == ',' || cp == '|' || cp == '\t' || cp == '\r' || cp == '\n') return Kind::Blank;
  if (cp < 0x20) return Kind::Drop;
  if (cp < 0x80) return Kind::Keep;
  if (cp < 0xA0) return Kind::Drop;  // C1 controls
  switch (cp) {
    // No-break and other wide spaces.
    case 0xA0:
    case 0x202F:
    case 0x205F:
    case 0x3000:
      return Kind::Blank;
    // Soft hyphen, word joiner, byte order mark; curly double quotes.
    case 0xAD:
    case 0x2060:
    case 0xFEFF:
    case 0x201C:
    case 0x201D:
    case 0x201E:
    case 0x201F:
    case 0x2033:
      return Kind::Drop;
    // Hyphens, figure and horizontal bar, minus sign.
    case 0x2010:
    case 0x2011:
    case 0x2012:
    case 0x2015:
    case 0x2212:
      return Kind::Hyphen;
    // Okina and the modifier apostrophes of transliterated names, primes.
    case 0x02B9:
    case 0x02BB:
    case 0x02BC:
    case 0x02BE:
    case 0x02BF:
    case 0x201B:
    case 0x2032:
      return Kind::Apostrophe;
    default:
      break;
  }
  if (cp >= 0x2000 && cp <= 0x200A) return Kind::Blank;
  if ((cp >= 0x200B && cp <= 0x200F) || (cp >= 0x202A && cp <= 0x202E)) return Kind::Drop;
  return Kind::Keep;  // written in Latin letters below where Windows-1252 lacks it
}

// What a transliteration may bring back that a field must not hold: the
// Arabic comma becomes ",".
std::string withoutSeparators(std::string_view cp1252) {
  std::string out;
  out.reserve(cp1252.size());
  for (char c : cp1252) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == ',' || c == '|') {
      out += ' ';
    } else if (c != '"' && byte >= 0x20 && byte != 0x7F) {
      out += c;
    }
  }
  return out;
}

std::string collapsedBlanks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool pendingBlank = false;
  for (char c : text) {
    if (c == ' ') {
      pendingBlank = !out.empty();
      continue;
    }
    if (pendingBlank) out += ' ';
    pendingBlank = false;
    out += c;
  }
  return out;
}

// The plain letters of an accented Windows-1252 letter, in upper case
// whatever the case of the letter; nullptr for every other byte.
const char* plainLetters(unsigned char byte) {
  if (byte == 0xFF || byte == 0x9F) return "Y";  // ÿ, Ÿ
  if (byte == 0xDF) return "SS";                 // ß has no upper-case form of its own
  // The lower-case letters 0xE0..0xFE sit 0x20 above their upper-case forms.
  const unsigned upper = byte >= 0xE0 && byte != 0xF7 ? byte - 0x20u : byte;
  if (upper >= 0xC0 && upper <= 0xC5) return "A";
  if (upper >= 0xC8 && upper <= 0xCB) return "E";
  if (upper >= 0xCC && upper <= 0xCF) return "I";
  if ((upper >= 0xD2 && upper <= 0xD6) || upper == 0xD8) return "O";
  if (upper >= 0xD9 && upper <= 0xDC) return "U";
  switch (upper) {
    case 0xC6:
      return "AE";
    case 0xC7:
      return "C";
    case 0xD0:
      return "D";
    case 0xD1:
      return "N";
    case 0xDD:
      return "Y";
    case 0xDE:
      return "TH";
    case 0x8A:
    case 0x9A:
      return "S";
    case 0x8C:
    case 0x9C:
      return "OE";
    case 0x8E:
    case 0x9E:
      return "Z";
    default:
      return nullptr;
  }
}

}  // namespace

std::string databaseText(std::string_view utf8) {
  std::string text;
  text.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const std::size_t start = pos;
    const auto cp = common::decodeUtf8(utf8, pos);
    if (!cp) {
      text += utf8[start];  // left for the conversion to mark
      continue;
    }
    switch (classify(*cp)) {
      case Kind::Drop:
        break;
      case Kind::Blank:
        text += ' ';
        break;
      case Kind::Hyphen:
        text += '-';
        break;
      case Kind::Apostrophe:
        text += '\'';
        break;
      case Kind::Keep:
        text.append(utf8.substr(start, pos - start));
        break;
    }
  }
  const std::string cp1252 = withoutSeparators(common::utf8ToCp1252(text));
  return collapsedBlanks(common::toUpper1252(cp1252));
}

std::string foldedText(std::string_view cp1252) {
  std::string out;
  out.reserve(cp1252.size());
  for (char c : cp1252) {
    const auto byte = static_cast<unsigned char>(c);
    if (const char* plain = plainLetters(byte)) {
      // Lower-case letters fold to lower case, upper-case ones to upper case.
      const bool lower = common::toUpper1252(c) != c;
      for (const char* p = plain; *p != '\0'; ++p) {
        out += lower ? static_cast<char>(*p - 'A' + 'a') : *p;
      }
    } else if (byte == 0x83) {
      out += 'f';
    } else if (byte == 0x96 || byte == 0x97) {
      out += '-';
    } else if (byte == 0x82 || byte == 0x91 || byte == 0x92) {
      out += '\'';
    } else {
      out += c;
    }
  }
  return out;
}

namespace {

// The words between single blanks, an empty one where two blanks meet.
std::vector<std::string_view> wordsOf(const std::string& text) {
  std::vector<std::string_view> words;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    words.emplace_back(text.data() + start, end - start);
    start = end + 1;
  }
  return words;
}

std::string replacedWords(const std::string& text, std::string_view word, std::string_view by) {
  std::string out;
  for (const std::string_view current : wordsOf(text)) {
    if (!out.empty()) out += ' ';
    out += current == word ? by : current;
  }
  return out;
}

// "LA GUARDIA" -> "LAGUARDIA": particles people write joined to the word.
std::string joinedParticles(const std::string& text) {
  static constexpr std::array<std::string_view, 12> kParticles = {
      "LA", "LE", "EL", "DE", "DI", "DA", "DU", "DEL", "MC", "MAC", "VAN", "VON"};
  const std::vector<std::string_view> words = wordsOf(text);
  std::string out;
  for (std::size_t i = 0; i < words.size(); ++i) {
    out += words[i];
    const bool particle =
        std::find(kParticles.begin(), kParticles.end(), words[i]) != kParticles.end();
    if (i + 1 < words.size() && !particle) out += ' ';
  }
  return out;
}

std::string withUmlautsSpelledOut(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (static_cast<unsigned char>(c)) {
      case 0xC4:  // Ä
        out += "AE";
        break;
      case 0xD6:  // Ö
        out += "OE";
        break;
      case 0xDC:  // Ü
        out += "UE";
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace

bool hasLetterOrDigit(std::string_view cp1252Upper) {
  return std::any_of(cp1252Upper.begin(), cp1252Upper.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (c >= '0' && c <= '9') || (byte >= 'A' && byte <= 'Z') || byte >= 0x80;
  });
}

std::vector<std::string> spellingVariants(const std::string& cp1252Upper) {
  std::vector<std::string> variants;
  const auto add = [&variants](const std::string& variant) {
    if (!variant.empty() &&
        std::find(variants.begin(), variants.end(), variant) == variants.end()) {
      variants.push_back(variant);
    }
  };
  add(cp1252Upper);
  // Each step adds to the forms found so far, so that forms combine.
  const auto spread = [&](auto form) {
    const std::size_t count = variants.size();
    for (std::size_t i = 0; i < count; ++i)
      add(form(variants[i]));
  };
  spread([](const std::string& text) {
    std::string out;
    for (const char c : text) {
      if (c == '-') {
        if (!out.empty() && out.back() != ' ') out += ' ';
      } else if (c != '\'' && c != '.' && !(c == ' ' && !out.empty() && out.back() == ' ')) {
        out += c;
      }
    }
    return out;
  });
  spread([](const std::string& text) {
    return replacedWords(replacedWords(text, "ST.", "SAINT"), "ST", "SAINT");
  });
  spread([](const std::string& text) { return replacedWords(text, "SAINT", "ST"); });
  spread([](const std::string& text) { return replacedWords(text, "SAINT", "ST."); });
  spread(joinedParticles);
  spread(withUmlautsSpelledOut);
  spread([](const std::string& text) { return common::toUpper1252(foldedText(text)); });
  return variants;
}

}  // namespace importer

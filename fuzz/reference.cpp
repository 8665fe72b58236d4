// SPDX-License-Identifier: MIT
#include "reference.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzzref {
namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

void check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

std::size_t findBar(std::string_view text, std::size_t from) {
  if (from < 1) from = 1;
  for (std::size_t position = from; position <= text.size(); ++position) {
    if (text[position - 1] == '|') return position;
  }
  return 0;
}

std::optional<std::array<std::string, 8>> splitAirport(std::string_view item) {
  std::array<std::size_t, 10> s{};  // s[1]..s[9], 1-based positions
  s[1] = findBar(item, 1);
  if (s[1] == 0) return std::nullopt;
  s[2] = findBar(item, s[1] + 2);
  if (s[2] == 0) return std::nullopt;
  for (std::size_t k = 3; k <= 9; ++k) {
    s[k] = findBar(item, s[k - 1] + 1);
    if (s[k] == 0) return std::nullopt;
  }
  std::array<std::string, 8> fields;
  for (std::size_t k = 1; k <= 8; ++k) {
    // Field k lies between the k-th and the next bar.
    fields[k - 1] = std::string(item.substr(s[k], s[k + 1] - s[k] - 1));
  }
  return fields;
}

std::optional<std::array<std::string, 4>> splitRunway(std::string_view item) {
  std::array<std::size_t, 7> s{};
  s[1] = findBar(item, 1);
  if (s[1] == 0) return std::nullopt;
  for (std::size_t k = 2; k <= 6; ++k) {
    s[k] = findBar(item, s[k - 1] + 2);
    if (s[k] == 0) return std::nullopt;
  }
  const auto field = [&](std::size_t k) {
    return std::string(item.substr(s[k], s[k + 1] - s[k] - 1));
  };
  return std::array<std::string, 4>{field(1), field(2), field(3), field(5)};
}

std::optional<double> parseNumber(std::string_view text) {
  const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && isBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back()))
    text.remove_suffix(1);
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && isDigit(text[i]))
    ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && isDigit(text[i]))
      ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t exponentDigits = 0;
    while (i < text.size() && isDigit(text[i]))
      ++i, ++exponentDigits;
    if (exponentDigits == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;
  const std::string body(text);
  return std::strtod(body.c_str(), nullptr);
}

double leadingNumber(std::string_view text) {
  std::string number;
  bool digitSeen = false;
  bool pointSeen = false;
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == '\n') continue;
    if (number.empty() && (c == '+' || c == '-')) {
      number += c;
    } else if (isDigit(c)) {
      number += c;
      digitSeen = true;
    } else if (c == '.' && !pointSeen) {
      number += c;
      pointSeen = true;
    } else {
      break;
    }
  }
  if (!digitSeen) return 0;
  return std::strtod(number.c_str(), nullptr);
}

double roundedTo(double value, int digits) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, value);
  return std::strtod(buffer, nullptr);
}

std::vector<std::string> settingsFields(std::string_view content) {
  std::vector<std::string> fields;
  std::size_t i = 0;
  const std::size_t n = content.size();
  const auto isDelimiter = [](char c) { return c == ',' || c == '\r' || c == '\n'; };
  while (fields.size() < 2 && i < n) {
    while (i < n && (content[i] == ' ' || content[i] == '\t'))
      ++i;
    std::string value;
    if (i < n && content[i] == '"') {
      ++i;
      while (i < n && content[i] != '"')
        value += content[i++];
      if (i < n) ++i;  // the closing quote
      while (i < n && !isDelimiter(content[i]))
        ++i;  // stray text after it
    } else {
      while (i < n && !isDelimiter(content[i]))
        value += content[i++];
      while (!value.empty() && (value.back() == ' ' || value.back() == '\t'))
        value.pop_back();
    }
    if (i < n) {
      const bool crlf = content[i] == '\r' && i + 1 < n && content[i + 1] == '\n';
      i += crlf ? 2 : 1;
    }
    fields.push_back(value);
  }
  return fields;
}

}  // namespace fuzzref

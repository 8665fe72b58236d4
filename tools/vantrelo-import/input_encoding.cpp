// SPDX-License-Identifier: MIT
#include "input_encoding.h"

#include <unicode/ucnv.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "common/text1252.h"
#include "csv_reader.h"

namespace importer {
namespace {

std::string hexByte(char c) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
  return text;
}

void requireUtf8(std::string_view bytes, const std::string& fileName) {
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t start = pos;
    if (common::decodeUtf8(bytes, pos)) continue;
    const auto lineEnds = std::count(bytes.begin(), bytes.begin() + static_cast<long>(start), '\n');
    throw CsvError(fileName, static_cast<std::size_t>(lineEnds) + 1,
                   "byte " + hexByte(bytes[start]) +
                       " is not UTF-8; give the file's encoding, e.g. --encoding latin1");
  }
}

}  // namespace

bool isKnownEncoding(const std::string& name) {
  UErrorCode status = U_ZERO_ERROR;
  UConverter* converter = ucnv_open(name.c_str(), &status);
  if (converter != nullptr) ucnv_close(converter);
  return U_SUCCESS(status) && status != U_AMBIGUOUS_ALIAS_WARNING;
}

std::string utf8Text(std::string bytes, const std::optional<std::string>& encoding,
                     const std::string& fileName) {
  // A byte order mark says UTF-8 whatever the user thought.
  if (!encoding || bytes.rfind("\xEF\xBB\xBF", 0) == 0) {
    requireUtf8(bytes, fileName);
    return bytes;
  }
  if (bytes.size() > static_cast<std::size_t>(INT32_MAX / 3)) {
    throw CsvError(fileName, 0, "too large to convert from " + *encoding);
  }
  // UTF-8 takes at most three bytes for a character of a one- or two-byte
  // encoding.
  std::string out(bytes.size() * 3 + 1, '\0');
  UErrorCode status = U_ZERO_ERROR;
  const int32_t length =
      ucnv_convert("UTF-8", encoding->c_str(), out.data(), static_cast<int32_t>(out.size()),
                   bytes.data(), static_cast<int32_t>(bytes.size()), &status);
  if (U_FAILURE(status)) {
    throw CsvError(fileName, 0, "cannot convert from " + *encoding + ": " + u_errorName(status));
  }
  out.resize(static_cast<std::size_t>(length));
  return out;
}

}  // namespace importer

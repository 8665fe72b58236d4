// SPDX-License-Identifier: MIT
#include "input_encoding.h"

#include <unicode/ucnv.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>

#include "common/text1252.h"
#include "csv_reader.h"

namespace importer {
namespace {

std::string hexByte(char c) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
  return text;
}

std::optional<common::Error> requireUtf8(std::string_view bytes, const std::string& fileName,
                                         std::size_t line) {
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t start = pos;
    if (common::decodeUtf8(bytes, pos)) continue;
    const auto lineEnds = std::count(bytes.begin(), bytes.begin() + static_cast<long>(start), '\n');
    return csvError(fileName, line + static_cast<std::size_t>(lineEnds),
                    "byte " + hexByte(bytes[start]) +
                        " is not UTF-8; give the file's encoding, e.g. --encoding latin1");
  }
  return std::nullopt;
}

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};

}  // namespace

bool isKnownEncoding(const std::string& name) {
  UErrorCode status = U_ZERO_ERROR;
  UConverter* converter = ucnv_open(name.c_str(), &status);
  if (converter != nullptr) ucnv_close(converter);
  return U_SUCCESS(status) && status != U_AMBIGUOUS_ALIAS_WARNING;
}

common::Expected<CsvFieldFilter> utf8Fields(const std::optional<std::string>& encoding,
                                            bool byteOrderMark, const std::string& fileName) {
  // A byte order mark says UTF-8 whatever the user thought.
  if (!encoding || byteOrderMark) {
    return CsvFieldFilter([fileName](std::string& field, std::size_t line) {
      return requireUtf8(field, fileName, line);
    });
  }
  UErrorCode status = U_ZERO_ERROR;
  std::shared_ptr<UConverter> converter(ucnv_open(encoding->c_str(), &status), ConverterCloser{});
  if (U_FAILURE(status)) {
    return csvError(fileName, 0, "cannot convert from " + *encoding + ": " + u_errorName(status));
  }
  return CsvFieldFilter([converter, fileName, name = *encoding](
                            std::string& field, std::size_t line) -> std::optional<common::Error> {
    bool ascii = true;
    for (const char c : field)
      ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) return std::nullopt;
    // A byte of a one- or two-byte encoding is at most one UTF-16 unit,
    // which UTF-8 writes in at most three bytes.
    std::u16string units(field.size() + 1, u'\0');
    UErrorCode error = U_ZERO_ERROR;
    const int32_t unitCount =
        ucnv_toUChars(converter.get(), units.data(), static_cast<int32_t>(units.size()),
                      field.data(), static_cast<int32_t>(field.size()), &error);
    std::string out(field.size() * 3 + 1, '\0');
    int32_t length = 0;
    if (U_SUCCESS(error)) {
      u_strToUTF8(out.data(), static_cast<int32_t>(out.size()), &length, units.data(), unitCount,
                  &error);
    }
    if (U_FAILURE(error)) {
      return csvError(fileName, line, "cannot convert from " + name + ": " + u_errorName(error));
    }
    out.resize(static_cast<std::size_t>(length));
    field = std::move(out);
    return std::nullopt;
  });
}

}  // namespace importer

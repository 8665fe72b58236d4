// SPDX-License-Identifier: MIT
#pragma once

// The OurAirports files are UTF-8. A file in another encoding is refused
// where its first byte that is not UTF-8 stands, unless the user names its
// encoding (--encoding latin1), in which case it is converted first.

#include <optional>
#include <string>
#include <string_view>

#include "csv_reader.h"

namespace importer {

// True when ICU knows a converter by this name ("latin1", "windows-1252").
bool isKnownEncoding(const std::string& name);

// The filter (csv_reader.h) that gives a file's fields as UTF-8 as they are
// read. With no encoding, or for a file that starts with a UTF-8 byte order
// mark, the bytes must be UTF-8 already: the filter's fault names the file,
// the line and the first byte that is not. Otherwise each field is converted from
// the encoding, which must keep the ASCII bytes of CSV (the comma, the
// quote, CR and LF) as they are, as Latin-1, Windows-1252 and every other
// single-byte code page do.
// An encoding ICU cannot open is a fault of the file as a whole.
common::Expected<CsvFieldFilter> utf8Fields(const std::optional<std::string>& encoding,
                                            bool byteOrderMark, const std::string& fileName);

}  // namespace importer

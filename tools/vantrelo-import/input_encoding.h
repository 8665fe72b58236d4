// SPDX-License-Identifier: MIT
#pragma once

// The OurAirports files are UTF-8. A file in another encoding is refused
// where its first byte that is not UTF-8 stands, unless the user names its
// encoding (--encoding latin1), in which case it is converted first.

#include <optional>
#include <string>
#include <string_view>

namespace importer {

// True when ICU knows a converter by this name ("latin1", "windows-1252").
bool isKnownEncoding(const std::string& name);

// The text of a file as UTF-8. With no encoding the bytes must be UTF-8
// already; otherwise throws CsvError naming the file, the line and the byte.
// With an encoding, the bytes are converted from it, unless they start with
// a UTF-8 byte order mark.
std::string utf8Text(std::string bytes, const std::optional<std::string>& encoding,
                     const std::string& fileName);

}  // namespace importer

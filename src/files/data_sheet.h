// SPDX-License-Identifier: MIT
#pragma once

// The airport data sheet: a plain-text file per airport shown while Check1
// is ticked, named "<ICAO>  <name>.txt", in Windows-1252 with every line
// closed by CR LF. Its field labels are those of the current language.

#include <optional>
#include <string>
#include <string_view>

#include "common/captions.h"
#include "common/error.h"
#include "lookup/found_airport.h"

namespace files {

struct DataSheet {
  std::string fileName;  // Windows-1252, made safe for the file system
  std::string bytes;
};

// "<ICAO>  <name>.txt" with each character the file system refuses in a name
// ("/" and NUL) and each control character (0x01-0x1F, 0x7F) replaced by
// "_", a leading "." or "-" too (no hidden sheet, no option-like name),
// shortened before ".txt" so that its UTF-8 form fits in 255 bytes. It
// never names another directory.
std::string dataSheetFileName(std::string_view icao, std::string_view airportName);

// The sheet of a found airport, with the field labels of the captions.
DataSheet makeDataSheet(const lookup::FoundAirport& found, const common::Captions& captions);

// Writes the sheet whole into the working directory (atomically). Returns the
// system's reason on failure; no partial sheet is left behind.
std::optional<common::Error> writeDataSheet(const DataSheet& sheet);

}  // namespace files

// SPDX-License-Identifier: MIT
#pragma once

// From the UTF-8 text of the OurAirports files to the text of a database
// field, and the folded spelling the search keys add.

#include <string>
#include <string_view>
#include <vector>

namespace importer {

// A database field from UTF-8: Windows-1252 (common::utf8ToCp1252, so
// "Łódź" -> "LÓDZ", "Москва" -> "MOSKVA"), upper case, blanks collapsed and
// trimmed. Control characters are dropped. Double quotes (also the curly
// ones) are dropped, "," and "|" become blanks, so the field never ends a
// database item early.
//   R"(Szczecin-Goleniów "Solidarność")" -> "SZCZECIN-GOLENIÓW SOLIDARNOSC"
std::string databaseText(std::string_view utf8);

// Windows-1252 text with the accents taken off its letters, so that a search
// typed without them finds the line: "ZÜRICH" -> "ZURICH", "ÆRØ" -> "AERO",
// "SÃO PAULO" -> "SAO PAULO", "ß" -> "SS". Dashes and curly apostrophes
// become "-" and "'". Other bytes stay as they are.
std::string foldedText(std::string_view cp1252);

// Whether an upper-case Windows-1252 text holds a letter or a digit, that
// is something a search can find.
bool hasLetterOrDigit(std::string_view cp1252Upper);

// The spellings people type for an upper-case database text, the text
// itself first, each once: accents off ("ZÜRICH" -> "ZURICH") and German
// umlauts also as two letters ("ZUERICH"); apostrophes and full stops
// dropped ("O'HARE" -> "OHARE", "ST. LOUIS" -> "ST LOUIS"); hyphens as
// blanks; a leading article or particle joined to its word ("LA GUARDIA" ->
// "LAGUARDIA"); ST, ST. and SAINT for each other.
std::vector<std::string> spellingVariants(const std::string& cp1252Upper);

}  // namespace importer

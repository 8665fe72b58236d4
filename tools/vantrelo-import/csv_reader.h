// SPDX-License-Identifier: MIT
#pragma once

// Reading comma-separated files the way RFC 4180 writes them: fields split
// by ",", records ended by CR LF (a bare LF or CR is taken as well), and a
// field in double quotes may hold commas, line ends and doubled quotes:
//   12,"Kennedy, ""JFK""",x  ->  12 | Kennedy, "JFK" | x
// A UTF-8 byte order mark at the start is skipped; empty lines are skipped.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace importer {

// A file that cannot be read as CSV: where (line 0 for the file as a whole)
// and why.
class CsvError : public std::runtime_error {
 public:
  CsvError(std::string file, std::size_t line, std::string reason);

  const std::string& file() const { return m_file; }
  std::size_t line() const { return m_line; }
  const std::string& reason() const { return m_reason; }

 private:
  std::string m_file;
  std::size_t m_line;
  std::string m_reason;
};

struct CsvRecord {
  std::vector<std::string> fields;
  std::size_t line = 0;  // 1-based line on which the record starts
};

class CsvReader {
 public:
  // text must outlive the reader; fileName is used in error messages.
  CsvReader(std::string_view text, std::string fileName);

  // Reads the next record; false at the end of the text. Throws CsvError for
  // a quoted field that is never closed, text after a closing quote, or a
  // double quote inside an unquoted field.
  bool next(CsvRecord& record);

 private:
  void skipLineEnd();  // at a CR or LF: consumes CR LF, LF or CR
  void readQuoted(std::string& field);
  void readPlain(std::string& field);

  std::string_view m_text;
  std::string m_fileName;
  std::size_t m_pos = 0;
  std::size_t m_line = 1;
};

// Column positions of a header record, looked up by name.
class CsvHeader {
 public:
  CsvHeader(const CsvRecord& header, std::string fileName);

  // Throws CsvError at the header line when the column is missing.
  std::size_t required(std::string_view name) const;
  std::optional<std::size_t> optional(std::string_view name) const;
  std::size_t columnCount() const { return m_names.size(); }
  std::size_t line() const { return m_line; }

 private:
  std::vector<std::string> m_names;
  std::string m_fileName;
  std::size_t m_line;
};

// The bytes of a file; throws CsvError (line 0) with the system's reason.
std::string readWholeFile(const std::filesystem::path& path);

}  // namespace importer

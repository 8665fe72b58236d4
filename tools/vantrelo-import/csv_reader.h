// SPDX-License-Identifier: MIT
#pragma once

// Reading comma-separated files the way RFC 4180 writes them: fields split
// by ",", records ended by CR LF (a bare LF or CR is taken as well), and a
// field in double quotes may hold commas, line ends and doubled quotes:
//   12,"Kennedy, ""JFK""",x  ->  12 | Kennedy, "JFK" | x
// A UTF-8 byte order mark at the start is skipped; empty lines are skipped.
//
// A file is read as a stream, a block at a time, so memory does not grow
// with the file; a field and a record have caps, which a file of any size
// (or /dev/zero) meets with an error instead of filling the memory.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/error.h"

namespace importer {

// A fault of a file read as CSV, its reason saying where: "file:line: why",
// or "file: why" for line 0 (the file as a whole).
common::Error csvError(const std::string& file, std::size_t line, std::string_view why,
                       int errorNumber = 0);

struct CsvRecord {
  std::vector<std::string> fields;
  std::size_t line = 0;  // 1-based line on which the record starts
};

// Called with each field as read and the line it starts on; may change it
// (a conversion to UTF-8) or say why the field cannot be taken.
using CsvFieldFilter =
    std::function<std::optional<common::Error>(std::string& field, std::size_t line)>;

class CsvReader {
 public:
  static constexpr std::size_t kMaxFieldBytes = std::size_t{64} * 1024;
  static constexpr std::size_t kMaxRecordBytes = std::size_t{256} * 1024;

  // Reads text, which must outlive the reader; fileName is used in error
  // messages.
  CsvReader(std::string_view text, std::string fileName);
  // Reads the file at path as it goes. A file that cannot be opened or is
  // not a regular file (a FIFO, a device) is the reader's failure at once.
  CsvReader(const std::filesystem::path& path, std::string fileName);
  ~CsvReader();
  CsvReader(const CsvReader&) = delete;
  CsvReader& operator=(const CsvReader&) = delete;

  void setFieldFilter(CsvFieldFilter filter) { m_filter = std::move(filter); }
  // Whether the text starts with a UTF-8 byte order mark (known once the
  // first record has been asked for).
  bool startsWithByteOrderMark();

  // Reads the next record; false at the end of the text, and at the first
  // fault, which failure() then holds: an unclosed quote (at the line where
  // it opens), text after a closing quote, a double quote inside an
  // unquoted field, a field or a record over its cap, a field the filter
  // refuses, or a failing read. A reader that failed reads no more.
  bool next(CsvRecord& record);
  const std::optional<common::Error>& failure() const { return m_failure; }

 private:
  bool readRecord(CsvRecord& record);
  void fail(std::size_t line, std::string_view why, int errorNumber = 0);  // the first fault stays
  int peek();  // the next byte, or -1 at the end
  bool refill();
  void take(std::string& field, std::size_t count);  // appends count bytes from the block
  bool skipLineEnd();  // at a CR or LF: consumes CR LF (then true), LF or CR
  // Each reads one field; false when it failed.
  bool readQuoted(std::string& field);
  bool readPlain(std::string& field);
  bool closedWell(std::size_t openedOnLine);  // what follows a closing quote
  bool withinCaps(const std::string& field, std::size_t fieldLine);

  std::string m_fileName;
  int m_fd = -1;
  std::string m_block;      // what the last read gave, for a file
  std::string_view m_text;  // the bytes at hand
  std::size_t m_pos = 0;
  std::size_t m_line = 1;
  std::size_t m_recordLine = 0;
  std::size_t m_recordBytes = 0;
  bool m_started = false;
  bool m_byteOrderMark = false;
  CsvFieldFilter m_filter;
  std::optional<common::Error> m_failure;
};

// Column positions of a header record, looked up by name.
class CsvHeader {
 public:
  CsvHeader(const CsvRecord& header, std::string fileName);

  // The column, or a fault at the header line when it is missing.
  common::Expected<std::size_t> required(std::string_view name) const;
  std::optional<std::size_t> optional(std::string_view name) const;
  std::size_t columnCount() const { return m_names.size(); }
  std::size_t line() const { return m_line; }

 private:
  std::vector<std::string> m_names;
  std::string m_fileName;
  std::size_t m_line;
};

// Opens a file for reading, refusing anything but a regular file without
// waiting on a FIFO: the descriptor, or the fault (line 0) with the reason.
common::Expected<int> openRegularFile(const std::filesystem::path& path);

// The bytes of a small file (a list), at most maxBytes; or the fault (line
// 0) with the system's reason, for a file that is not a regular file, or
// for one over the cap.
common::Expected<std::string> readWholeFile(const std::filesystem::path& path,
                                            std::size_t maxBytes = std::size_t{256} * 1024 * 1024);

}  // namespace importer

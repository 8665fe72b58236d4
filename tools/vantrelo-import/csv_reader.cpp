// SPDX-License-Identifier: MIT
#include "csv_reader.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace importer {

namespace {

std::string location(const std::string& file, std::size_t line) {
  return line == 0 ? file : file + ":" + std::to_string(line);
}

}  // namespace

CsvError::CsvError(std::string file, std::size_t line, std::string reason)
    : std::runtime_error(location(file, line) + ": " + reason),
      m_file(std::move(file)),
      m_line(line),
      m_reason(std::move(reason)) {}

CsvReader::CsvReader(std::string_view text, std::string fileName)
    : m_text(text), m_fileName(std::move(fileName)) {
  if (m_text.substr(0, 3) == "\xEF\xBB\xBF") m_pos = 3;
}

void CsvReader::skipLineEnd() {
  if (m_text[m_pos] == '\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '\n') ++m_pos;
  ++m_pos;
  ++m_line;
}

void CsvReader::readQuoted(std::string& field) {
  const std::size_t openedOnLine = m_line;
  ++m_pos;  // the opening quote
  for (;;) {
    if (m_pos >= m_text.size()) {
      throw CsvError(m_fileName, openedOnLine, "quoted field is never closed");
    }
    const char c = m_text[m_pos];
    if (c == '"') {
      if (m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '"') {
        field += '"';
        m_pos += 2;
        continue;
      }
      ++m_pos;
      break;
    }
    if (c == '\r' || c == '\n') {
      // A line end inside quotes belongs to the field; count it all the same.
      const std::size_t before = m_pos;
      skipLineEnd();
      field.append(m_text.substr(before, m_pos - before));
      continue;
    }
    field += c;
    ++m_pos;
  }
  if (m_pos < m_text.size()) {
    const char after = m_text[m_pos];
    if (after != ',' && after != '\r' && after != '\n') {
      throw CsvError(m_fileName, m_line, "text after the closing double quote of a field");
    }
  }
}

void CsvReader::readPlain(std::string& field) {
  while (m_pos < m_text.size()) {
    const char c = m_text[m_pos];
    if (c == ',' || c == '\r' || c == '\n') return;
    if (c == '"') {
      throw CsvError(m_fileName, m_line, "double quote inside a field that is not quoted");
    }
    field += c;
    ++m_pos;
  }
}

bool CsvReader::next(CsvRecord& record) {
  while (m_pos < m_text.size() && (m_text[m_pos] == '\r' || m_text[m_pos] == '\n')) {
    skipLineEnd();
  }
  if (m_pos >= m_text.size()) return false;

  record.fields.clear();
  record.line = m_line;
  for (;;) {
    std::string field;
    if (m_text[m_pos] == '"') {
      readQuoted(field);
    } else {
      readPlain(field);
    }
    record.fields.push_back(std::move(field));
    if (m_pos >= m_text.size()) return true;
    if (m_text[m_pos] == ',') {
      ++m_pos;
      // A comma at the very end of the text still opens one more, empty field.
      if (m_pos >= m_text.size()) {
        record.fields.emplace_back();
        return true;
      }
      continue;
    }
    skipLineEnd();
    return true;
  }
}

CsvHeader::CsvHeader(const CsvRecord& header, std::string fileName)
    : m_names(header.fields), m_fileName(std::move(fileName)), m_line(header.line) {}

std::optional<std::size_t> CsvHeader::optional(std::string_view name) const {
  for (std::size_t i = 0; i < m_names.size(); ++i) {
    if (m_names[i] == name) return i;
  }
  return std::nullopt;
}

std::size_t CsvHeader::required(std::string_view name) const {
  const auto column = optional(name);
  if (!column) {
    throw CsvError(m_fileName, m_line,
                   "no column named \"" + std::string(name) + "\" in the header");
  }
  return *column;
}

std::string readWholeFile(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw CsvError(path.string(), 0, std::strerror(errno));
  // A failing read is an error, never the end of the file: a disk or share
  // that fails half-way must not give a database with half the airports.
  std::string bytes;
  char block[1 << 16];
  for (;;) {
    const ssize_t got = ::read(fd, block, sizeof block);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      throw CsvError(path.string(), 0, std::strerror(error));
    }
    bytes.append(block, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return bytes;
}

}  // namespace importer

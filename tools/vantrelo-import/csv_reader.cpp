// SPDX-License-Identifier: MIT
#include "csv_reader.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/error.h"
#include "common/regular_file.h"

namespace importer {

namespace {

constexpr std::size_t kBlockBytes = std::size_t{64} * 1024;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isLineEnd(int c) {
  return c == '\r' || c == '\n';
}

}  // namespace

common::Error csvError(const std::string& file, std::size_t line, std::string_view why,
                       int errorNumber) {
  std::string reason = line == 0 ? file : file + ":" + std::to_string(line);
  reason += ": ";
  reason += why;
  return {std::move(reason), errorNumber};
}

common::Expected<int> openRegularFile(const std::filesystem::path& path) {
  common::Expected<int> fd = common::openRegularFile(path.c_str());
  if (!fd) return csvError(path.string(), 0, fd.error().reason, fd.error().errorNumber);
  return fd;
}

CsvReader::CsvReader(std::string_view text, std::string fileName)
    : m_fileName(std::move(fileName)), m_text(text) {}

CsvReader::CsvReader(const std::filesystem::path& path, std::string fileName)
    : m_fileName(std::move(fileName)) {
  const common::Expected<int> fd = openRegularFile(path);
  if (fd) {
    m_fd = *fd;
  } else {
    m_failure = fd.error();
  }
}

void CsvReader::fail(std::size_t line, std::string_view why, int errorNumber) {
  if (!m_failure) m_failure = csvError(m_fileName, line, why, errorNumber);
}

CsvReader::~CsvReader() {
  if (m_fd >= 0) ::close(m_fd);
}

bool CsvReader::refill() {
  if (m_fd < 0) return false;
  m_block.resize(kBlockBytes);
  ssize_t got = 0;
  do {
    got = ::read(m_fd, m_block.data(), m_block.size());
  } while (got < 0 && errno == EINTR);
  // A failing read is an error, never the end of the file: a disk or share
  // that fails half-way must not give a database with half the airports.
  if (got < 0) {
    fail(0, std::strerror(errno), errno);
    return false;
  }
  m_block.resize(static_cast<std::size_t>(got));
  m_text = m_block;
  m_pos = 0;
  if (got == 0) {
    ::close(m_fd);
    m_fd = -1;
    return false;
  }
  return true;
}

int CsvReader::peek() {
  if (m_pos >= m_text.size() && !refill()) return -1;
  return static_cast<unsigned char>(m_text[m_pos]);
}

bool CsvReader::startsWithByteOrderMark() {
  if (!m_started) {
    m_started = true;
    // The first block of a regular file holds its first three bytes.
    if (peek() >= 0 && m_text.substr(m_pos, 3) == kByteOrderMark) {
      m_byteOrderMark = true;
      m_pos += 3;
    }
  }
  return m_byteOrderMark;
}

void CsvReader::take(std::string& field, std::size_t count) {
  field.append(m_text.substr(m_pos, count));
  m_pos += count;
  m_recordBytes += count;
}

bool CsvReader::withinCaps(const std::string& field, std::size_t fieldLine) {
  if (field.size() > kMaxFieldBytes) {
    fail(fieldLine, "a field longer than the cap of " + std::to_string(kMaxFieldBytes) + " bytes");
    return false;
  }
  if (m_recordBytes > kMaxRecordBytes) {
    fail(m_recordLine,
         "a record longer than the cap of " + std::to_string(kMaxRecordBytes) + " bytes");
    return false;
  }
  return true;
}

bool CsvReader::skipLineEnd() {
  const bool carriageReturn = m_text[m_pos] == '\r';
  ++m_pos;
  ++m_recordBytes;
  ++m_line;
  if (carriageReturn && peek() == '\n') {
    ++m_pos;
    ++m_recordBytes;
    return true;
  }
  return false;
}

bool CsvReader::readQuoted(std::string& field) {
  const std::size_t openedOnLine = m_line;
  ++m_pos;  // the opening quote
  ++m_recordBytes;
  for (;;) {
    const int c = peek();
    if (c < 0) {
      fail(openedOnLine, "unclosed quote");  // unless the read failed first
      return false;
    }
    if (c == '"') {
      ++m_pos;
      ++m_recordBytes;
      if (peek() == '"') {
        field += '"';
        ++m_pos;
        ++m_recordBytes;
        if (!withinCaps(field, openedOnLine)) return false;
        continue;
      }
      return closedWell(openedOnLine);
    }
    if (isLineEnd(c)) {
      // A line end inside quotes belongs to the field; count it all the same.
      field += m_text[m_pos];
      if (skipLineEnd()) field += '\n';
      if (!withinCaps(field, openedOnLine)) return false;
      continue;
    }
    // The run of plain bytes up to the next quote or line end, at once.
    const std::size_t stop = m_text.find_first_of("\"\r\n", m_pos);
    take(field, (stop == std::string_view::npos ? m_text.size() : stop) - m_pos);
    if (!withinCaps(field, openedOnLine)) return false;
  }
}

bool CsvReader::closedWell(std::size_t openedOnLine) {
  const int after = peek();
  if (after >= 0 && after != ',' && !isLineEnd(after)) {
    // A quote left open swallows the lines up to the next quote; what
    // follows that one is then no separator. Its opening line is the fault.
    if (m_line != openedOnLine) {
      fail(openedOnLine, "unclosed quote");
    } else {
      fail(m_line, "text after the closing double quote of a field");
    }
    return false;
  }
  return !m_failure;  // the look past the closing quote may have failed to read
}

bool CsvReader::readPlain(std::string& field) {
  for (;;) {
    const int c = peek();
    if (c < 0 || c == ',' || isLineEnd(c)) return !m_failure;
    if (c == '"') {
      fail(m_line, "double quote inside a field that is not quoted");
      return false;
    }
    const std::size_t stop = m_text.find_first_of(",\"\r\n", m_pos);
    take(field, (stop == std::string_view::npos ? m_text.size() : stop) - m_pos);
    if (!withinCaps(field, m_line)) return false;
  }
}

bool CsvReader::next(CsvRecord& record) {
  if (m_failure) return false;
  // A read that fails looks like the end of the text to the parse.
  return readRecord(record) && !m_failure;
}

bool CsvReader::readRecord(CsvRecord& record) {
  startsWithByteOrderMark();
  for (int c = peek(); isLineEnd(c); c = peek())
    skipLineEnd();
  if (peek() < 0) return false;

  record.fields.clear();
  record.line = m_recordLine = m_line;
  m_recordBytes = 0;
  for (;;) {
    std::string field;
    const std::size_t fieldLine = m_line;
    if (!(peek() == '"' ? readQuoted(field) : readPlain(field))) return false;
    if (m_filter) {
      if (auto refused = m_filter(field, fieldLine)) {
        m_failure = std::move(refused);
        return false;
      }
    }
    record.fields.push_back(std::move(field));
    const int c = peek();
    if (c < 0) return true;
    if (c == ',') {
      ++m_pos;
      ++m_recordBytes;
      if (!withinCaps(record.fields.back(), fieldLine)) return false;
      // A comma at the very end of the text still opens one more, empty field.
      if (peek() < 0) {
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

common::Expected<std::size_t> CsvHeader::required(std::string_view name) const {
  const auto column = optional(name);
  if (!column) {
    return csvError(m_fileName, m_line,
                    "no column named \"" + std::string(name) + "\" in the header");
  }
  return *column;
}

common::Expected<std::string> readWholeFile(const std::filesystem::path& path,
                                            std::size_t maxBytes) {
  const common::Expected<int> opened = openRegularFile(path);
  if (!opened) return opened.error();
  const int fd = *opened;
  std::string bytes;
  char block[1 << 16];
  for (;;) {
    const ssize_t got = ::read(fd, block, sizeof block);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      return csvError(path.string(), 0, std::strerror(error), error);
    }
    if (bytes.size() + static_cast<std::size_t>(got) > maxBytes) {
      ::close(fd);
      return csvError(path.string(), 0,
                      "larger than the cap of " + std::to_string(maxBytes) + " bytes");
    }
    bytes.append(block, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return bytes;
}

}  // namespace importer

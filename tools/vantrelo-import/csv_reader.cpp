// SPDX-License-Identifier: MIT
#include "csv_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/error.h"

namespace importer {

namespace {

constexpr std::size_t kBlockBytes = std::size_t{64} * 1024;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string location(const std::string& file, std::size_t line) {
  return line == 0 ? file : file + ":" + std::to_string(line);
}

bool isLineEnd(int c) {
  return c == '\r' || c == '\n';
}

}  // namespace

CsvError::CsvError(std::string file, std::size_t line, std::string reason)
    : std::runtime_error(location(file, line) + ": " + reason),
      m_file(std::move(file)),
      m_line(line),
      m_reason(std::move(reason)) {}

int openRegularFile(const std::filesystem::path& path) {
  // Without blocking: opening a FIFO would wait for a writer for ever.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) throw CsvError(path.string(), 0, std::strerror(errno));
  struct stat status {};
  std::string refused;
  if (::fstat(fd, &status) != 0) {
    refused = std::strerror(errno);
  } else if (S_ISDIR(status.st_mode)) {
    refused = std::strerror(EISDIR);
  } else if (!S_ISREG(status.st_mode)) {
    // A FIFO or a device (/dev/zero) may never end.
    refused = common::kNotRegularFile;
  }
  if (!refused.empty()) {
    ::close(fd);
    throw CsvError(path.string(), 0, refused);
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

CsvReader::CsvReader(std::string_view text, std::string fileName)
    : m_fileName(std::move(fileName)), m_text(text) {}

CsvReader::CsvReader(const std::filesystem::path& path, std::string fileName)
    : m_fileName(std::move(fileName)), m_fd(openRegularFile(path)) {}

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
  if (got < 0) throw CsvError(m_fileName, 0, std::strerror(errno));
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

void CsvReader::checkCaps(const std::string& field, std::size_t fieldLine) const {
  if (field.size() > kMaxFieldBytes) {
    throw CsvError(m_fileName, fieldLine,
                   "a field longer than the cap of " + std::to_string(kMaxFieldBytes) + " bytes");
  }
  if (m_recordBytes > kMaxRecordBytes) {
    throw CsvError(m_fileName, m_recordLine,
                   "a record longer than the cap of " + std::to_string(kMaxRecordBytes) + " bytes");
  }
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

void CsvReader::readQuoted(std::string& field) {
  const std::size_t openedOnLine = m_line;
  ++m_pos;  // the opening quote
  ++m_recordBytes;
  for (;;) {
    const int c = peek();
    if (c < 0) throw CsvError(m_fileName, openedOnLine, "unclosed quote");
    if (c == '"') {
      ++m_pos;
      ++m_recordBytes;
      if (peek() == '"') {
        field += '"';
        ++m_pos;
        ++m_recordBytes;
        checkCaps(field, openedOnLine);
        continue;
      }
      break;
    }
    if (isLineEnd(c)) {
      // A line end inside quotes belongs to the field; count it all the same.
      field += m_text[m_pos];
      if (skipLineEnd()) field += '\n';
      checkCaps(field, openedOnLine);
      continue;
    }
    // The run of plain bytes up to the next quote or line end, at once.
    const std::size_t stop = m_text.find_first_of("\"\r\n", m_pos);
    take(field, (stop == std::string_view::npos ? m_text.size() : stop) - m_pos);
    checkCaps(field, openedOnLine);
  }
  const int after = peek();
  if (after >= 0 && after != ',' && !isLineEnd(after)) {
    // A quote left open swallows the lines up to the next quote; what
    // follows that one is then no separator. Its opening line is the fault.
    if (m_line != openedOnLine) throw CsvError(m_fileName, openedOnLine, "unclosed quote");
    throw CsvError(m_fileName, m_line, "text after the closing double quote of a field");
  }
}

void CsvReader::readPlain(std::string& field) {
  for (;;) {
    const int c = peek();
    if (c < 0 || c == ',' || isLineEnd(c)) return;
    if (c == '"') {
      throw CsvError(m_fileName, m_line, "double quote inside a field that is not quoted");
    }
    const std::size_t stop = m_text.find_first_of(",\"\r\n", m_pos);
    take(field, (stop == std::string_view::npos ? m_text.size() : stop) - m_pos);
    checkCaps(field, m_line);
  }
}

bool CsvReader::next(CsvRecord& record) {
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
    if (peek() == '"') {
      readQuoted(field);
    } else {
      readPlain(field);
    }
    if (m_filter) m_filter(field, fieldLine);
    record.fields.push_back(std::move(field));
    const int c = peek();
    if (c < 0) return true;
    if (c == ',') {
      ++m_pos;
      ++m_recordBytes;
      checkCaps(record.fields.back(), fieldLine);
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

std::size_t CsvHeader::required(std::string_view name) const {
  const auto column = optional(name);
  if (!column) {
    throw CsvError(m_fileName, m_line,
                   "no column named \"" + std::string(name) + "\" in the header");
  }
  return *column;
}

std::string readWholeFile(const std::filesystem::path& path, std::size_t maxBytes) {
  const int fd = openRegularFile(path);
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
    if (bytes.size() + static_cast<std::size_t>(got) > maxBytes) {
      ::close(fd);
      throw CsvError(path.string(), 0,
                     "larger than the cap of " + std::to_string(maxBytes) + " bytes");
    }
    bytes.append(block, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return bytes;
}

}  // namespace importer

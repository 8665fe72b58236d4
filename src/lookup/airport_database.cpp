#include "lookup/airport_database.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "common/messages.h"

namespace lookup {
namespace {

// The first comma, CR or LF in [first, last), or last.
const char* findItemEnd(const char* first, const char* last) {
  for (; first != last; ++first) {
    const char c = *first;
    if (c == ',' || c == '\n' || c == '\r') return first;
  }
  return last;
}

}  // namespace

AirportDatabase::AirportDatabase(std::string path, std::size_t bufferBytes)
    : m_path(std::move(path)), m_buffer(std::max(bufferBytes, kMaxItemBytes + 1)) {}

bool AirportDatabase::open(std::string& error) {
  close();
  std::error_code ec;
  if (std::filesystem::is_directory(m_path, ec)) {
    error = common::systemReason(EISDIR);
    return false;
  }
  std::FILE* file = std::fopen(m_path.c_str(), "rb");
  if (file == nullptr) {
    error = common::systemReason(errno);
    return false;
  }
  std::setvbuf(file, nullptr, _IONBF, 0);  // our own buffer does the buffering
  m_fileOwner.reset(file);
  m_file = file;
  return true;
}

void AirportDatabase::close() {
  m_fileOwner.reset();
  m_file = nullptr;
  m_begin = m_end = 0;
  m_fileDone = false;
  m_pendingLineFeed = false;
}

bool AirportDatabase::refill() {
  if (m_file == nullptr || m_fileDone) return false;
  if (m_begin > 0) {
    std::memmove(m_buffer.data(), m_buffer.data() + m_begin, m_end - m_begin);
    m_end -= m_begin;
    m_begin = 0;
  }
  if (m_end == m_buffer.size()) return false;  // full: the caller must consume first
  const std::size_t got = std::fread(m_buffer.data() + m_end, 1, m_buffer.size() - m_end, m_file);
  // A read error ends the file as an end of file would: nothing more to give.
  if (got == 0) m_fileDone = true;
  m_end += got;
  return got > 0;
}

void AirportDatabase::skipPendingLineFeed() {
  if (!m_pendingLineFeed) return;
  if (m_begin == m_end) refill();
  if (m_begin < m_end && m_buffer[m_begin] == '\n') ++m_begin;
  m_pendingLineFeed = false;
}

bool AirportDatabase::atEnd() {
  if (m_file == nullptr) return true;
  skipPendingLineFeed();
  if (m_begin < m_end) return false;
  return !refill();
}

Item AirportDatabase::readItem() {
  skipPendingLineFeed();
  std::size_t scanned = m_begin;  // bytes before this are known not to end the item
  bool oversized = false;
  for (;;) {
    const char* data = m_buffer.data();
    const char* stop = findItemEnd(data + scanned, data + m_end);
    if (stop != data + m_end) {
      const auto endPos = static_cast<std::size_t>(stop - data);
      Item item;
      item.oversized = oversized || endPos - m_begin > kMaxItemBytes;
      if (!item.oversized) item.text = std::string_view(data + m_begin, endPos - m_begin);
      m_begin = endPos + 1;
      if (*stop == '\r') {
        if (m_begin < m_end) {
          if (m_buffer[m_begin] == '\n') ++m_begin;
        } else {
          m_pendingLineFeed = true;
        }
      }
      return item;
    }
    if (m_end - m_begin > kMaxItemBytes) {
      // Too long to hold: keep only the fact and read over the rest.
      oversized = true;
      m_begin = m_end;
    }
    scanned = m_end - m_begin;
    if (!refill()) {
      // The file ends inside this item.
      Item item;
      item.oversized = oversized || m_end - m_begin > kMaxItemBytes;
      if (!item.oversized) item.text = std::string_view(m_buffer.data() + m_begin, m_end - m_begin);
      m_begin = m_end;
      return item;
    }
  }
}

}  // namespace lookup

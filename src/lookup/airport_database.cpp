// SPDX-License-Identifier: MIT
#include "lookup/airport_database.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/error.h"
#include "common/text1252.h"

namespace lookup {

AirportDatabase::AirportDatabase(std::filesystem::path path, std::size_t bufferBytes,
                                 std::size_t readBytes, LookAhead lookAhead)
    : m_path(std::move(path)),
      m_buffer(std::max(bufferBytes, kMaxItemBytes + 1)),
      m_readBytes(readBytes == 0 ? m_buffer.size() : std::min(readBytes, m_buffer.size())),
      m_lookAhead(lookAhead),
      m_regionSearch(lookAhead.regionBytes) {}

AirportDatabase::~AirportDatabase() {
  close();
}

std::optional<common::Error> AirportDatabase::open() {
  close();
  // Without blocking: opening a FIFO would wait for a writer for ever.
  const int fd = ::open(m_path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    const int error = errno;
    // A socket cannot be opened at all; the system's "No such device or
    // address" would not tell why.
    struct stat status {};
    if (error == ENXIO && ::stat(m_path.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
      return common::Error{common::kNotRegularFile};
    }
    return common::systemError(error);
  }
  struct stat status {};
  if (::fstat(fd, &status) != 0) {
    const int error = errno;
    ::close(fd);
    return common::systemError(error);
  }
  // A FIFO, a socket or a device (/dev/zero) never ends: only a file is a
  // database.
  if (!S_ISREG(status.st_mode)) {
    ::close(fd);
    if (S_ISDIR(status.st_mode)) return common::systemError(EISDIR);
    return common::Error{common::kNotRegularFile};
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  // Only a hint: a larger read-ahead when the file is not in the page cache.
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
  m_fd = fd;
  return std::nullopt;
}

std::string AirportDatabase::displayName() const {
  return common::utf8ToCp1252(m_path.string());
}

std::optional<common::Error> AirportDatabase::readError() const {
  if (m_readError == 0) return std::nullopt;
  return common::systemError(m_readError);
}

void AirportDatabase::close() {
  if (m_fd >= 0) ::close(m_fd);
  m_fd = -1;
  m_begin = m_end = 0;
  m_fileOffset = 0;
  m_fileDone = false;
  m_pendingLineFeed = false;
  m_readError = 0;
}

bool AirportDatabase::refill() {
  if (m_fd < 0 || m_fileDone) return false;
  if (m_begin == m_end) {
    m_begin = m_end = 0;
  } else if (m_begin > 0 && m_buffer.size() - m_end < m_readBytes) {
    // Carry the unread bytes (an unfinished item) over to the front.
    std::memmove(m_buffer.data(), m_buffer.data() + m_begin, m_end - m_begin);
    m_end -= m_begin;
    m_begin = 0;
  }
  const std::size_t room = std::min(m_readBytes, m_buffer.size() - m_end);
  if (room == 0) return false;  // full: the caller must consume first
  ssize_t got = 0;
  do {
    got = ::pread(m_fd, m_buffer.data() + m_end, room, static_cast<off_t>(m_fileOffset));
  } while (got < 0 && errno == EINTR);
  if (got <= 0) {
    // Nothing more to give: the end of the file, or a failure the search reports.
    if (got < 0) m_readError = errno;
    m_fileDone = true;
    return false;
  }
  m_end += static_cast<std::size_t>(got);
  m_fileOffset += static_cast<std::uint64_t>(got);
  return true;
}

void AirportDatabase::consumeItemEnd(std::size_t stop) {
  m_begin = stop + 1;
  if (m_buffer[stop] != '\r') return;
  if (m_begin < m_end) {
    if (m_buffer[m_begin] == '\n') ++m_begin;
  } else {
    m_pendingLineFeed = true;
  }
}

void AirportDatabase::stopReading() {
  m_begin = m_end = 0;
  m_pendingLineFeed = false;
  m_fileDone = true;
}

void AirportDatabase::skipPendingLineFeed() {
  if (!m_pendingLineFeed) return;
  if (m_begin == m_end) refill();
  if (m_begin < m_end && m_buffer[m_begin] == '\n') ++m_begin;
  m_pendingLineFeed = false;
}

bool AirportDatabase::atEnd() {
  if (m_fd < 0) return true;
  skipPendingLineFeed();
  if (m_begin < m_end) return false;
  return !refill();
}

Item AirportDatabase::readItem() {
  skipPendingLineFeed();
  std::size_t scanned = 0;  // bytes from m_begin known not to end the item
  bool oversized = false;
  for (;;) {
    const char* data = m_buffer.data() + m_begin;
    const char* dataEnd = m_buffer.data() + m_end;
    const char* stop = findItemEnd(data + scanned, dataEnd);
    if (stop != dataEnd) {
      const auto length = static_cast<std::size_t>(stop - data);
      Item item;
      item.oversized = oversized || length > kMaxItemBytes;
      if (!item.oversized) item.text = std::string_view(data, length);
      consumeItemEnd(static_cast<std::size_t>(stop - m_buffer.data()));
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

bool AirportDatabase::lookAheadPays(const NeedleFinder& finder, std::uint64_t scanStart) const {
  if (m_fileDone || finder.size() == 0 || finder.size() > RegionSearch::kMaxTextBytes) return false;
  // Reading on from shortly before the occurrence needs room for the
  // longest item before it and the text itself.
  if (m_buffer.size() < kMaxItemBytes + 1 + finder.size()) return false;
  if (m_fileOffset < scanStart + m_lookAhead.afterBytes) return false;
  struct stat status {};
  if (::fstat(m_fd, &status) != 0) return false;
  const auto size = static_cast<std::uint64_t>(status.st_size);
  const std::uint64_t remaining = size > m_fileOffset ? size - m_fileOffset : 0;
  return remaining >= m_lookAhead.minRemainingBytes;
}

// Called where the scan would read on with no hit in the buffer: the
// unfinished item is at m_begin, searched up to the file offset searchFrom. Finds the
// next occurrence with both cores and refills the buffer from where the item
// holding it may start; the scan then goes on as if it had read every byte
// in between. False when there is none: the file ended or a read failed.
bool AirportDatabase::lookAhead(const NeedleFinder& finder, std::uint64_t searchFrom) {
  const std::uint64_t itemStart = m_fileOffset - (m_end - m_begin);
  const RegionSearchResult found = m_regionSearch.find(m_fd, searchFrom, finder);
  if (found.outcome != RegionSearchResult::Outcome::Found) {
    if (found.outcome == RegionSearchResult::Outcome::ReadFailed) m_readError = found.errorNumber;
    stopReading();
    return false;
  }
  // An item that starts more than kMaxItemBytes + 1 bytes before the
  // occurrence is oversized whatever its end, and the scan finds it so from
  // any later start: there is no need to read further back.
  const std::uint64_t readFrom =
      std::max(itemStart, found.offset - std::min<std::uint64_t>(found.offset, kMaxItemBytes + 1));
  // A line feed pending at the unfinished item's start is skipped there.
  if (readFrom != itemStart) m_pendingLineFeed = false;
  const auto hitEnd = static_cast<std::size_t>(found.offset - readFrom) + finder.size();
  m_begin = m_end = 0;
  m_fileOffset = readFrom;
  while (m_end < hitEnd && refill()) {
  }
  return true;
}

}  // namespace lookup

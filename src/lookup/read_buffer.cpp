// SPDX-License-Identifier: MIT
#include "lookup/read_buffer.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace lookup {

ReadBuffer::ReadBuffer(std::size_t bufferBytes, std::size_t readBytes)
    : m_buffer(bufferBytes),
      m_readBytes(readBytes == 0 ? m_buffer.size() : std::min(readBytes, m_buffer.size())) {}

void ReadBuffer::attach(int fd) {
  m_fd = fd;
  m_begin = m_end = 0;
  m_fileOffset = 0;
  m_fileDone = false;
  m_pendingLineFeed = false;
  m_readError = 0;
}

// The buffer holds the file's bytes from readPosition() to readEnd().
const char* ReadBuffer::at(std::uint64_t offset) const {
  return unreadEnd() - static_cast<std::size_t>(readEnd() - offset);
}

std::uint64_t ReadBuffer::offsetOf(const char* byte) const {
  return readEnd() - static_cast<std::size_t>(unreadEnd() - byte);
}

bool ReadBuffer::refill() {
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

void ReadBuffer::consumeItemEnd(const char* stop) {
  m_begin = static_cast<std::size_t>(stop - m_buffer.data()) + 1;
  if (*stop != '\r') return;
  if (m_begin < m_end) {
    if (m_buffer[m_begin] == '\n') ++m_begin;
  } else {
    m_pendingLineFeed = true;
  }
}

void ReadBuffer::moveTo(const char* byte) {
  m_begin = static_cast<std::size_t>(byte - m_buffer.data());
}

void ReadBuffer::dropUnread() {
  m_begin = m_end;
}

void ReadBuffer::stopReading() {
  m_begin = m_end = 0;
  m_pendingLineFeed = false;
  m_fileDone = true;
}

void ReadBuffer::fail(int errorNumber) {
  m_readError = errorNumber;
  stopReading();
}

void ReadBuffer::restartAt(std::uint64_t offset, std::size_t bytes) {
  if (offset != readPosition()) m_pendingLineFeed = false;
  m_begin = m_end = 0;
  m_fileOffset = offset;
  while (m_end < bytes && refill()) {
  }
}

void ReadBuffer::skipPendingLineFeed() {
  if (!m_pendingLineFeed) return;
  if (m_begin == m_end) refill();
  if (m_begin < m_end && m_buffer[m_begin] == '\n') ++m_begin;
  m_pendingLineFeed = false;
}

bool ReadBuffer::skipPendingLineFeedInBuffer() {
  if (!m_pendingLineFeed || m_begin == m_end) return false;
  if (m_buffer[m_begin] == '\n') ++m_begin;
  m_pendingLineFeed = false;
  return true;
}

}  // namespace lookup

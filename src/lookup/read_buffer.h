// SPDX-License-Identifier: MIT
#pragma once

// The bytes of airports.txt read and not yet consumed, in one fixed buffer
// that the item reader and the search share. Bytes are read from the file
// in large blocks; the unread ones run from the read position to the end of
// what was read. An item that a block leaves unfinished is carried over to
// the front of the buffer before the next read.
//
// Positions are file offsets or pointers into the unread bytes; a pointer
// stays valid until the next refill.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lookup {

class ReadBuffer {
 public:
  // readBytes caps a single read from the file (0: as much as fits).
  ReadBuffer(std::size_t bufferBytes, std::size_t readBytes);

  // Starts reading fd (not owned) from its start, or stops (-1).
  void attach(int fd);
  int fd() const { return m_fd; }
  std::size_t capacity() const { return m_buffer.size(); }

  // The failure of a read (any but EINTR), 0 while none; reading stopped there.
  int readError() const { return m_readError; }
  // The file has no more bytes to give: its end, a failure or stopReading().
  bool fileDone() const { return m_fileDone; }

  const char* unreadBegin() const { return m_buffer.data() + m_begin; }
  const char* unreadEnd() const { return m_buffer.data() + m_end; }
  std::size_t unreadSize() const { return m_end - m_begin; }
  bool empty() const { return m_begin == m_end; }

  // File offsets: just after the last byte read, and of the read position.
  std::uint64_t readEnd() const { return m_fileOffset; }
  std::uint64_t readPosition() const { return m_fileOffset - unreadSize(); }
  // The byte at a file offset from readPosition() to readEnd(), and back.
  const char* at(std::uint64_t offset) const;
  std::uint64_t offsetOf(const char* byte) const;

  // Reads more, first moving the unread bytes to the front when short of
  // room. False when nothing more came: the end of the file, a failed read,
  // or a full buffer (the caller must consume first).
  bool refill();

  // Moves the read position past the comma or line end at stop; a CR's LF
  // is taken with it, now or, when the CR ends what was read, before the
  // next item (a pending line feed).
  void consumeItemEnd(const char* stop);
  // Moves the read position to byte, within the unread bytes.
  void moveTo(const char* byte);
  // Consumes every unread byte.
  void dropUnread();
  // Drops what was read; nothing more is read.
  void stopReading();
  // Ends reading with a failure met outside refill().
  void fail(int errorNumber);
  // Reads again from a file offset until at least `bytes` are held or the
  // file gives no more; a pending line feed is kept only when the offset is
  // the read position.
  void restartAt(std::uint64_t offset, std::size_t bytes);

  // Before the next item: skips the pending line feed, reading for it when
  // nothing is unread.
  void skipPendingLineFeed();
  // The same for the search, which never reads for it: a pending line feed
  // is skipped only when there are unread bytes. True when it was settled.
  bool skipPendingLineFeedInBuffer();

 private:
  std::vector<char> m_buffer;
  std::size_t m_readBytes;  // the most one read asks for
  int m_fd = -1;
  std::uint64_t m_fileOffset = 0;  // where the next read from the file starts
  int m_readError = 0;
  std::size_t m_begin = 0;         // first unread byte
  std::size_t m_end = 0;           // one past the last byte read from the file
  bool m_fileDone = false;         // the file has no more bytes to give
  bool m_pendingLineFeed = false;  // a CR ended the last item at the buffer's end
};

}  // namespace lookup

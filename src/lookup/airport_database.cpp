// SPDX-License-Identifier: MIT
#include "lookup/airport_database.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#if defined(__unix__)
#include <fcntl.h>
#endif

#include "common/messages.h"

namespace lookup {

AirportDatabase::AirportDatabase(std::string path, std::size_t bufferBytes, std::size_t readBytes)
    : m_path(std::move(path)),
      m_buffer(std::max(bufferBytes, kMaxItemBytes + 1)),
      m_readBytes(readBytes == 0 ? m_buffer.size() : std::min(readBytes, m_buffer.size())) {}

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
#if defined(POSIX_FADV_SEQUENTIAL)
  // Only a hint: a larger read-ahead when the file is not in the page cache.
  ::posix_fadvise(::fileno(file), 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
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
  const std::size_t got = std::fread(m_buffer.data() + m_end, 1, room, m_file);
  // A read error ends the file as an end of file would: nothing more to give.
  if (got == 0) m_fileDone = true;
  m_end += got;
  return got > 0;
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

std::optional<AirportDatabase::ScanHit> AirportDatabase::nextHit(const NeedleFinder& finder) {
  if (m_file == nullptr) return std::nullopt;
  if (finder.holdsItemEnd() || finder.size() > kMaxItemBytes) {
    // No item can hold the text: the scan would read to the end for nothing.
    m_begin = m_end = 0;
    m_pendingLineFeed = false;
    m_fileDone = true;
    return std::nullopt;
  }

  enum class Step {
    Search,      // looking for the text in the unread bytes
    FinishItem,  // the item at m_begin holds the text; looking for its end
    SkipItem,    // the item being read is oversized; reading over it
  };
  Step step = Step::Search;
  const std::size_t overlap = finder.size() > 0 ? finder.size() - 1 : 0;
  // Offsets from m_begin, which moves whenever complete items are dropped or
  // the buffer is refilled.
  std::size_t searched = 0;  // no occurrence starts before this
  std::size_t clean = 0;     // no comma or line end lies before this
  std::size_t hitAt = 0;     // FinishItem: where the text lies in the item

  for (;;) {
    if (m_pendingLineFeed && m_begin < m_end) {
      // Only met with nothing carried over, so the offsets above are all 0.
      if (m_buffer[m_begin] == '\n') ++m_begin;
      m_pendingLineFeed = false;
    }
    const char* data = m_buffer.data() + m_begin;
    const char* dataEnd = m_buffer.data() + m_end;

    if (step == Step::SkipItem) {
      const char* stop = findItemEnd(data, dataEnd);
      if (stop == dataEnd) {
        m_begin = m_end;
        if (!refill()) return std::nullopt;
        continue;
      }
      consumeItemEnd(static_cast<std::size_t>(stop - m_buffer.data()));
      step = Step::Search;
      searched = clean = 0;
      continue;
    }

    if (step == Step::Search) {
      const char* hit = finder.find(data + searched, dataEnd);
      if (hit == dataEnd) {
        // No hit: drop every complete item, carry the unfinished one over.
        const char* lastStop = findLastItemEnd(data + clean, dataEnd);
        if (lastStop != nullptr)
          consumeItemEnd(static_cast<std::size_t>(lastStop - m_buffer.data()));
        const std::size_t unfinished = m_end - m_begin;
        if (unfinished > kMaxItemBytes) {
          step = Step::SkipItem;
          m_begin = m_end;
          searched = clean = 0;
        } else {
          clean = unfinished;
          searched = unfinished - std::min(unfinished, overlap);
        }
        if (!refill()) {
          // The file ends with the unfinished item, and the text is not in it.
          m_begin = m_end;
          return std::nullopt;
        }
        continue;
      }
      // The item around the hit starts after the last comma or line end
      // before it; the text itself holds none.
      const auto hitOffset = static_cast<std::size_t>(hit - data);
      const char* stopBefore = findLastItemEnd(data + std::min(clean, hitOffset), hit);
      const char* itemStart = stopBefore != nullptr ? stopBefore + 1 : data;
      m_begin += static_cast<std::size_t>(itemStart - data);
      hitAt = static_cast<std::size_t>(hit - itemStart);
      clean = hitAt + finder.size();
      step = Step::FinishItem;
      continue;
    }

    // FinishItem: the item runs from m_begin to the next comma or line end.
    const char* stop = findItemEnd(data + clean, dataEnd);
    const auto length = static_cast<std::size_t>(stop - data);
    if (length > kMaxItemBytes) {
      // Too long to be held: it never matches, even though it holds the text.
      if (stop == dataEnd) {
        step = Step::SkipItem;
        m_begin = m_end;
        if (!refill()) return std::nullopt;
      } else {
        consumeItemEnd(static_cast<std::size_t>(stop - m_buffer.data()));
        step = Step::Search;
        searched = clean = 0;
      }
      continue;
    }
    if (stop == dataEnd) {
      clean = length;
      if (refill()) continue;
      // The file ends with this item.
      const ScanHit found{std::string_view(m_buffer.data() + m_begin, length), hitAt + 1};
      m_begin = m_end;
      return found;
    }
    const ScanHit found{std::string_view(data, length), hitAt + 1};
    consumeItemEnd(static_cast<std::size_t>(stop - m_buffer.data()));
    return found;
  }
}

}  // namespace lookup

// SPDX-License-Identifier: MIT
#include "lookup/airport_database.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "common/error.h"
#include "common/regular_file.h"
#include "common/text1252.h"
#include "lookup/item_bounds.h"

namespace lookup {

AirportDatabase::AirportDatabase(std::filesystem::path path, std::size_t bufferBytes,
                                 std::size_t readBytes, LookAhead lookAhead)
    : m_path(std::move(path)),
      m_read(std::max(bufferBytes, kMaxItemBytes + 1), readBytes),
      m_lookAhead(lookAhead),
      m_regionSearch(lookAhead.regionBytes) {}

AirportDatabase::~AirportDatabase() {
  close();
}

std::optional<common::Error> AirportDatabase::open() {
  close();
  const common::Expected<int> opened = common::openRegularFile(m_path.c_str());
  if (!opened) return opened.error();
  const int fd = *opened;
  // Only a hint: a larger read-ahead when the file is not in the page cache.
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
  m_fd = fd;
  m_read.attach(fd);
  return std::nullopt;
}

std::string AirportDatabase::displayName() const {
  return common::utf8ToCp1252(m_path.string());
}

std::optional<common::Error> AirportDatabase::readError() const {
  if (m_read.readError() == 0) return std::nullopt;
  return common::systemError(m_read.readError());
}

void AirportDatabase::close() {
  if (m_fd >= 0) ::close(m_fd);
  m_fd = -1;
  m_read.attach(-1);
}

bool AirportDatabase::atEnd() {
  if (m_fd < 0) return true;
  m_read.skipPendingLineFeed();
  if (!m_read.empty()) return false;
  return !m_read.refill();
}

Item AirportDatabase::readItem() {
  m_read.skipPendingLineFeed();
  std::size_t scanned = 0;  // unread bytes known not to end the item
  bool oversized = false;
  for (;;) {
    const char* data = m_read.unreadBegin();
    const char* dataEnd = m_read.unreadEnd();
    const char* stop = findItemEnd(data + scanned, dataEnd);
    if (stop != dataEnd) {
      const auto length = static_cast<std::size_t>(stop - data);
      Item item;
      item.oversized = oversized || length > kMaxItemBytes;
      if (!item.oversized) item.text = std::string_view(data, length);
      m_read.consumeItemEnd(stop);
      return item;
    }
    if (m_read.unreadSize() > kMaxItemBytes) {
      // Too long to hold: keep only the fact and read over the rest.
      oversized = true;
      m_read.dropUnread();
    }
    scanned = m_read.unreadSize();
    if (!m_read.refill()) {
      // The file ends inside this item.
      Item item;
      item.oversized = oversized || m_read.unreadSize() > kMaxItemBytes;
      if (!item.oversized) item.text = std::string_view(m_read.unreadBegin(), m_read.unreadSize());
      m_read.dropUnread();
      return item;
    }
  }
}

}  // namespace lookup

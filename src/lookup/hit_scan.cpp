// SPDX-License-Identifier: MIT
#include "lookup/hit_scan.h"

#include <sys/stat.h>

#include <algorithm>

#include "lookup/database_format.h"
#include "lookup/item_bounds.h"
#include "lookup/needle_finder.h"

namespace lookup {

using format::kMaxItemBytes;

HitScan::HitScan(ReadBuffer& buffer, RegionSearch& regionSearch, const LookAhead& lookAhead,
                 const NeedleFinder& finder)
    : m_buffer(buffer),
      m_regionSearch(regionSearch),
      m_lookAhead(lookAhead),
      m_finder(finder),
      m_scanStart(buffer.readEnd()) {
  restartAtItemStart();
}

std::optional<ScanHit> HitScan::run() {
  if (m_buffer.fd() < 0) return std::nullopt;
  if (m_finder.holdsItemEnd() || m_finder.size() > kMaxItemBytes) {
    // No item can hold the text: the scan would read to the end for nothing.
    m_buffer.stopReading();
    return std::nullopt;
  }
  while (m_state != State::Done) {
    // A CR that ended the last item at the end of a read leaves its LF, if
    // any, for the next read. This happens only with nothing carried over,
    // so the positions are at the item start, which the LF moves on.
    if (m_buffer.skipPendingLineFeedInBuffer()) restartAtItemStart();
    switch (m_state) {
      case State::Search:
        search();
        break;
      case State::FinishItem:
        finishItem();
        break;
      case State::SkipItem:
        skipItem();
        break;
      case State::Done:
        break;
    }
  }
  return m_found;
}

void HitScan::search() {
  const char* readEndByte = at(readEnd());
  const char* hit = m_finder.find(at(m_searchedTo), readEndByte);
  if (hit == readEndByte) {
    searchedNothing();
    return;
  }
  // The item around the hit starts after the last comma or line end before
  // it; the text itself holds none.
  m_hitAt = m_buffer.offsetOf(hit);
  const char* stopBefore = findLastItemEnd(at(std::min(m_noItemEndTo, m_hitAt)), hit);
  if (stopBefore != nullptr) m_buffer.moveTo(stopBefore + 1);
  m_noItemEndTo = m_hitAt + m_finder.size();
  m_state = State::FinishItem;
}

// No hit in what was read: drops every complete item and carries the
// unfinished one over. Its last bytes, as many as the text's length less
// one, are searched again with the next read, in case the text starts there.
void HitScan::searchedNothing() {
  const char* lastStop = findLastItemEnd(at(m_noItemEndTo), at(readEnd()));
  if (lastStop != nullptr) m_buffer.consumeItemEnd(lastStop);
  const std::size_t unfinished = m_buffer.unreadSize();
  if (unfinished > kMaxItemBytes) {
    m_state = State::SkipItem;
    m_buffer.dropUnread();
    restartAtItemStart();
  } else {
    const std::size_t overlap = m_finder.size() > 0 ? m_finder.size() - 1 : 0;
    m_noItemEndTo = readEnd();
    m_searchedTo = readEnd() - std::min(unfinished, overlap);
  }
  lookAheadOrReadOn();
}

void HitScan::lookAheadOrReadOn() {
  if (m_state == State::Search && lookAheadPays()) {
    // The buffer is read anew from where the item holding the next
    // occurrence may start.
    if (lookAhead()) {
      restartAtItemStart();
    } else {
      done();
    }
    return;
  }
  if (!m_buffer.refill()) {
    // The file ends with the unfinished item, and the text is not in it.
    m_buffer.dropUnread();
    done();
  }
}

bool HitScan::lookAheadPays() const {
  if (m_buffer.fileDone() || m_finder.size() == 0 || m_finder.size() > RegionSearch::kMaxTextBytes)
    return false;
  // Reading on from shortly before the occurrence needs room for the
  // longest item before it and the text itself.
  if (m_buffer.capacity() < kMaxItemBytes + 1 + m_finder.size()) return false;
  if (readEnd() < m_scanStart + m_lookAhead.afterBytes) return false;
  struct stat status {};
  if (::fstat(m_buffer.fd(), &status) != 0) return false;
  const auto size = static_cast<std::uint64_t>(status.st_size);
  const std::uint64_t remaining = size > readEnd() ? size - readEnd() : 0;
  return remaining >= m_lookAhead.minRemainingBytes;
}

// Called where the scan would read on with no hit in the buffer: the
// unfinished item is at the read position, searched up to m_searchedTo.
// Finds the next occurrence with both cores and refills the buffer from
// where the item holding it may start; the scan then goes on as if it had
// read every byte in between. False when there is none: the file ended or a
// read failed.
bool HitScan::lookAhead() {
  const std::uint64_t start = itemStart();
  const RegionSearchResult found = m_regionSearch.find(m_buffer.fd(), m_searchedTo, m_finder);
  if (found.outcome != RegionSearchResult::Outcome::Found) {
    if (found.outcome == RegionSearchResult::Outcome::ReadFailed) {
      m_buffer.fail(found.errorNumber);
    } else {
      m_buffer.stopReading();
    }
    return false;
  }
  // An item that starts more than kMaxItemBytes + 1 bytes before the
  // occurrence is oversized whatever its end, and the scan finds it so from
  // any later start: there is no need to read further back.
  const std::uint64_t readFrom =
      std::max(start, found.offset - std::min<std::uint64_t>(found.offset, kMaxItemBytes + 1));
  m_buffer.restartAt(readFrom, static_cast<std::size_t>(found.offset - readFrom) + m_finder.size());
  return true;
}

// The item runs from the read position to the next comma or line end.
void HitScan::finishItem() {
  const char* itemByte = at(itemStart());
  const char* readEndByte = at(readEnd());
  const char* stop = findItemEnd(at(m_noItemEndTo), readEndByte);
  const auto length = static_cast<std::size_t>(stop - itemByte);
  const auto position = static_cast<std::size_t>(m_hitAt - itemStart()) + 1;
  if (length > kMaxItemBytes) {
    // Too long to be held: it never matches, even though it holds the text.
    if (stop == readEndByte) {
      m_state = State::SkipItem;
      m_buffer.dropUnread();
      if (!m_buffer.refill()) done();
    } else {
      m_buffer.consumeItemEnd(stop);
      m_state = State::Search;
      restartAtItemStart();
    }
    return;
  }
  if (stop == readEndByte) {
    // The end lies beyond what was read: look on from here after the next read.
    m_noItemEndTo = readEnd();
    if (m_buffer.refill()) return;
    // The file ends with this item.
    const ScanHit found{std::string_view(at(itemStart()), length), position};
    m_buffer.dropUnread();
    done(found);
    return;
  }
  const ScanHit found{std::string_view(itemByte, length), position};
  m_buffer.consumeItemEnd(stop);
  done(found);
}

void HitScan::skipItem() {
  const char* readEndByte = at(readEnd());
  const char* stop = findItemEnd(at(itemStart()), readEndByte);
  if (stop == readEndByte) {
    m_buffer.dropUnread();
    if (!m_buffer.refill()) done();
    return;
  }
  m_buffer.consumeItemEnd(stop);
  m_state = State::Search;
  restartAtItemStart();
}

void HitScan::restartAtItemStart() {
  m_searchedTo = m_noItemEndTo = itemStart();
}

void HitScan::done(std::optional<ScanHit> found) {
  m_found = found;
  m_state = State::Done;
}

}  // namespace lookup

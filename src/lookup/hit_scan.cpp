// SPDX-License-Identifier: MIT
#include "lookup/hit_scan.h"

#include <algorithm>

#include "lookup/airport_database.h"
#include "lookup/needle_finder.h"

namespace lookup {

HitScan::HitScan(AirportDatabase& database, const NeedleFinder& finder)
    : m_database(database), m_finder(finder), m_scanStart(database.m_fileOffset) {
  restartAtItemStart();
}

std::optional<ScanHit> HitScan::run() {
  if (m_database.m_fd < 0) return std::nullopt;
  if (m_finder.holdsItemEnd() || m_finder.size() > AirportDatabase::kMaxItemBytes) {
    // No item can hold the text: the scan would read to the end for nothing.
    m_database.stopReading();
    return std::nullopt;
  }
  while (m_state != State::Done) {
    skipPendingLineFeed();
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
  m_hitAt = offsetOf(hit);
  const char* stopBefore = findLastItemEnd(at(std::min(m_noItemEndTo, m_hitAt)), hit);
  if (stopBefore != nullptr) m_database.m_begin = m_database.indexOf(stopBefore) + 1;
  m_noItemEndTo = m_hitAt + m_finder.size();
  m_state = State::FinishItem;
}

// No hit in what was read: drops every complete item and carries the
// unfinished one over. Its last bytes, as many as the text's length less
// one, are searched again with the next read, in case the text starts there.
void HitScan::searchedNothing() {
  const char* lastStop = findLastItemEnd(at(m_noItemEndTo), at(readEnd()));
  if (lastStop != nullptr) m_database.consumeItemEnd(m_database.indexOf(lastStop));
  const std::size_t unfinished = m_database.m_end - m_database.m_begin;
  if (unfinished > AirportDatabase::kMaxItemBytes) {
    m_state = State::SkipItem;
    m_database.m_begin = m_database.m_end;
    restartAtItemStart();
  } else {
    const std::size_t overlap = m_finder.size() > 0 ? m_finder.size() - 1 : 0;
    m_noItemEndTo = readEnd();
    m_searchedTo = readEnd() - std::min(unfinished, overlap);
  }
  lookAheadOrReadOn();
}

void HitScan::lookAheadOrReadOn() {
  if (m_state == State::Search && m_database.lookAheadPays(m_finder, m_scanStart)) {
    // The buffer is read anew from where the item holding the next
    // occurrence may start.
    if (m_database.lookAhead(m_finder, m_searchedTo)) {
      restartAtItemStart();
    } else {
      done();
    }
    return;
  }
  if (!m_database.refill()) {
    // The file ends with the unfinished item, and the text is not in it.
    m_database.m_begin = m_database.m_end;
    done();
  }
}

// The item runs from the read position to the next comma or line end.
void HitScan::finishItem() {
  const char* itemByte = at(itemStart());
  const char* readEndByte = at(readEnd());
  const char* stop = findItemEnd(at(m_noItemEndTo), readEndByte);
  const auto length = static_cast<std::size_t>(stop - itemByte);
  const auto position = static_cast<std::size_t>(m_hitAt - itemStart()) + 1;
  if (length > AirportDatabase::kMaxItemBytes) {
    // Too long to be held: it never matches, even though it holds the text.
    if (stop == readEndByte) {
      m_state = State::SkipItem;
      m_database.m_begin = m_database.m_end;
      if (!m_database.refill()) done();
    } else {
      m_database.consumeItemEnd(m_database.indexOf(stop));
      m_state = State::Search;
      restartAtItemStart();
    }
    return;
  }
  if (stop == readEndByte) {
    // The end lies beyond what was read: look on from here after the next read.
    m_noItemEndTo = readEnd();
    if (m_database.refill()) return;
    // The file ends with this item.
    const ScanHit found{std::string_view(at(itemStart()), length), position};
    m_database.m_begin = m_database.m_end;
    done(found);
    return;
  }
  const ScanHit found{std::string_view(itemByte, length), position};
  m_database.consumeItemEnd(m_database.indexOf(stop));
  done(found);
}

void HitScan::skipItem() {
  const char* readEndByte = at(readEnd());
  const char* stop = findItemEnd(at(itemStart()), readEndByte);
  if (stop == readEndByte) {
    m_database.m_begin = m_database.m_end;
    if (!m_database.refill()) done();
    return;
  }
  m_database.consumeItemEnd(m_database.indexOf(stop));
  m_state = State::Search;
  restartAtItemStart();
}

// A CR that ended the last item at the end of a read leaves its LF, if any,
// for the next read. This happens only with nothing carried over, so the
// positions are at the item start, which the LF moves on.
void HitScan::skipPendingLineFeed() {
  if (!m_database.m_pendingLineFeed || m_database.m_begin == m_database.m_end) return;
  if (m_database.m_buffer[m_database.m_begin] == '\n') ++m_database.m_begin;
  m_database.m_pendingLineFeed = false;
  restartAtItemStart();
}

void HitScan::restartAtItemStart() {
  m_searchedTo = m_noItemEndTo = itemStart();
}

void HitScan::done(std::optional<ScanHit> found) {
  m_found = found;
  m_state = State::Done;
}

std::uint64_t HitScan::itemStart() const {
  return readEnd() - (m_database.m_end - m_database.m_begin);
}

std::uint64_t HitScan::readEnd() const {
  return m_database.m_fileOffset;
}

// The buffer holds the file's bytes from itemStart() to readEnd().
const char* HitScan::at(std::uint64_t offset) const {
  return m_database.m_buffer.data() + m_database.m_end -
         static_cast<std::size_t>(readEnd() - offset);
}

std::uint64_t HitScan::offsetOf(const char* byte) const {
  return readEnd() - static_cast<std::size_t>(at(readEnd()) - byte);
}

}  // namespace lookup

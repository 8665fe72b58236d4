// SPDX-License-Identifier: MIT
#pragma once

// One step of AirportDatabase::scanFor: reads on from the read position to
// the next item that holds a text, looking for the text in the read buffer
// as read and finding the item's bounds only around a hit. Far from the read
// position, in a large file, it looks ahead with both cores (region_search.h)
// and reads on only from shortly before the occurrence found.
//
// It moves between three states:
//   Search      the text is looked for in the unread bytes; complete items
//               without it are dropped, the unfinished one is carried over;
//   FinishItem  the item at the read position holds the text; its end is
//               looked for;
//   SkipItem    the item being read is longer than kMaxItemBytes; it is read
//               over to its end.
//
// Positions are file offsets, so they stay put while the buffer moves its
// unread bytes to the front and reads more. A text that straddles two reads:
// Search finds nothing in the first, keeps the unfinished item and marks it
// searched up to the text's length less one before the end of what was read;
// after the next read the search starts there again and finds the text
// across the seam. An item whose end lies beyond the read is finished the
// same way: FinishItem marks it free of item ends up to the end of what was
// read and looks on from there after the next read.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "lookup/read_buffer.h"
#include "lookup/region_search.h"

namespace lookup {

class NeedleFinder;

// When a search looks ahead with both cores: only after it has read a
// stretch alone without a hit (so a near hit comes back without a thread
// started) and only while enough of the file is left to pay for the thread.
struct LookAhead {
  std::size_t regionBytes = RegionSearch::kDefaultRegionBytes;
  std::uint64_t afterBytes = std::uint64_t{1024} * 1024;
  std::uint64_t minRemainingBytes = std::uint64_t{2} * 1024 * 1024;
};

struct ScanHit {
  std::string_view item;  // valid until the next read
  std::size_t position;   // 1-based position of the text in the item
};

class HitScan {
 public:
  HitScan(ReadBuffer& buffer, RegionSearch& regionSearch, const LookAhead& lookAhead,
          const NeedleFinder& finder);

  // The next item that holds the finder's text and is not oversized; the
  // read position is then just after it. Nothing at the end of the file or
  // when a read fails.
  std::optional<ScanHit> run();

 private:
  enum class State { Search, FinishItem, SkipItem, Done };

  void search();
  void finishItem();
  void skipItem();
  void searchedNothing();
  void lookAheadOrReadOn();
  bool lookAheadPays() const;
  bool lookAhead();
  void restartAtItemStart();
  void done(std::optional<ScanHit> found = std::nullopt);

  std::uint64_t itemStart() const { return m_buffer.readPosition(); }
  std::uint64_t readEnd() const { return m_buffer.readEnd(); }
  const char* at(std::uint64_t offset) const { return m_buffer.at(offset); }

  ReadBuffer& m_buffer;
  RegionSearch& m_regionSearch;
  const LookAhead& m_lookAhead;
  const NeedleFinder& m_finder;
  State m_state = State::Search;
  std::uint64_t m_scanStart;        // where the read position was when the scan began
  std::uint64_t m_searchedTo = 0;   // no occurrence of the text starts before this
  std::uint64_t m_noItemEndTo = 0;  // no comma or line end lies before this
  std::uint64_t m_hitAt = 0;        // FinishItem: where the text starts
  std::optional<ScanHit> m_found;
};

}  // namespace lookup

// SPDX-License-Identifier: MIT
#pragma once

// The open airports.txt with its read position. The file is read in large
// blocks through one fixed buffer (read_buffer.h) and never held whole; an
// item is the text up to the next comma or line end (CR LF, bare LF or bare
// CR), which is consumed with it.
//
// A search does not cut the file into items: it looks for the text in the
// buffer as read (needle_finder.h) and finds the bounds of an item only
// around a hit (hit_scan.h). An item that a block leaves unfinished is
// carried over to the front of the buffer. The result is the item, and the read position after
// it, that reading item by item would give.
//
// Far from the read position, in a large file, the search looks ahead with
// both cores (region_search.h) and reads on only from shortly before the
// occurrence found.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/error.h"
#include "lookup/database_format.h"
#include "lookup/hit_scan.h"
#include "lookup/needle_finder.h"
#include "lookup/read_buffer.h"
#include "lookup/region_search.h"

namespace lookup {

inline constexpr const char* kDatabaseFileName = "airports.txt";

struct Item {
  std::string_view text;   // valid until the next read; empty when oversized
  bool oversized = false;  // longer than kMaxItemBytes: read over, never used
};

class AirportDatabase {
 public:
  static constexpr std::size_t kMaxItemBytes = format::kMaxItemBytes;
  static constexpr std::size_t kDefaultBufferBytes = std::size_t{256} * 1024;

  // bufferBytes is at least kMaxItemBytes + 1 so that a whole item fits.
  // readBytes caps a single read from the file (0: as much as fits); tests
  // read a few bytes at a time so that items straddle every read, and look
  // ahead in regions of a few bytes.
  explicit AirportDatabase(std::filesystem::path path = kDatabaseFileName,
                           std::size_t bufferBytes = kDefaultBufferBytes, std::size_t readBytes = 0,
                           LookAhead lookAhead = {});
  ~AirportDatabase();
  AirportDatabase(const AirportDatabase&) = delete;
  AirportDatabase& operator=(const AirportDatabase&) = delete;

  // Opens the file with the read position at its start. Anything but a
  // regular file (a FIFO, a device, a socket, a folder) is refused at once.
  std::optional<common::Error> open();
  void close();
  // The file's name as messages show it, in Windows-1252.
  std::string displayName() const;

  // True when nothing is left to read, also when the file is not open or a
  // read has failed.
  bool atEnd();

  // A read that failed since the file was opened (any failure but EINTR;
  // the reading stopped there).
  std::optional<common::Error> readError() const;

  // The next item. Call only when atEnd() is false.
  Item readItem();

  // Reads on until an item holds needle; returns the 1-based position of its
  // first occurrence in that item (the item is then in matchedItem, and the
  // read position just after it) or 0 at the end of the file. An empty
  // needle matches the next non-empty item; a needle holding a comma or a
  // line end matches nothing. Oversized items never match, nor do items that
  // fail the accept test: the scan goes on past them. A failed read ends the
  // scan as the end of the file would; readError() tells them apart.
  template <typename Accept>
  std::size_t scanFor(std::string_view needle, Accept accept, std::string& matchedItem) {
    const NeedleFinder finder(needle);
    // A fresh scan per hit: after a refused item the look-ahead waits again
    // for a stretch without a hit.
    while (const std::optional<ScanHit> hit =
               HitScan(m_read, m_regionSearch, m_lookAhead, finder).run()) {
      if (!accept(hit->item)) continue;
      matchedItem.assign(hit->item);
      return hit->position;
    }
    return 0;
  }

 private:
  std::filesystem::path m_path;
  int m_fd = -1;
  ReadBuffer m_read;
  LookAhead m_lookAhead;
  RegionSearch m_regionSearch;
};

}  // namespace lookup

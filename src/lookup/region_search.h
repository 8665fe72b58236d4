// SPDX-License-Identifier: MIT
#pragma once

// Looks ahead in the open database for the next occurrence of a text with
// both processor cores. Two workers, the calling thread and one helper
// thread, take consecutive regions of the file in turn, each read with pread
// into the worker's own fixed buffer and searched there: reading one region
// overlaps with searching the other, and the file is never mapped (a mapped
// file that another program truncates would kill the reader).
//
// The search knows nothing of items: it gives the file offset of the first
// occurrence, and the database finds the item around it (airport_database.h).

#include <cstddef>
#include <cstdint>
#include <vector>

#include "lookup/needle_finder.h"

namespace lookup {

struct RegionSearchResult {
  enum class Outcome {
    Found,       // the text starts at offset
    End,         // the file ends without it
    ReadFailed,  // a read at offset failed with errorNumber before any occurrence
  };
  Outcome outcome = Outcome::End;
  std::uint64_t offset = 0;
  int errorNumber = 0;
};

class RegionSearch {
 public:
  static constexpr std::size_t kDefaultRegionBytes = std::size_t{128} * 1024;
  // Longer texts are left to the calling thread alone: a region's buffer
  // holds the region plus the text's length less one.
  static constexpr std::size_t kMaxTextBytes = 4096;

  // Tests take regions of a few bytes so that texts straddle every boundary.
  explicit RegionSearch(std::size_t regionBytes = kDefaultRegionBytes);

  // The first occurrence of the finder's text that starts at or after from,
  // reading the file fd to its end. The text must not be empty nor longer
  // than kMaxTextBytes. A read that fails with other than EINTR ends the
  // search unless an occurrence lies before it.
  RegionSearchResult find(int fd, std::uint64_t from, const NeedleFinder& finder);

 private:
  std::size_t m_regionBytes;
  std::vector<char> m_buffers[2];  // one per worker, allocated on first use
};

}  // namespace lookup

// SPDX-License-Identifier: MIT
#include "lookup/region_search.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <limits>
#include <optional>
#include <system_error>
#include <thread>

namespace lookup {
namespace {

using Outcome = RegionSearchResult::Outcome;

constexpr std::uint64_t kNothingYet = std::numeric_limits<std::uint64_t>::max();

// Reads size bytes at offset, fewer only where the file ends. Returns the
// count, or -1 with errno set.
ssize_t readAt(int fd, char* buffer, std::size_t size, std::uint64_t offset) {
  std::size_t got = 0;
  while (got < size) {
    const ssize_t n = ::pread(fd, buffer + got, size - got, static_cast<off_t>(offset + got));
    if (n > 0) {
      got += static_cast<std::size_t>(n);
    } else if (n == 0) {
      break;
    } else if (errno != EINTR) {
      return -1;
    }
  }
  return static_cast<ssize_t>(got);
}

// What the two workers share. Regions are handed out in file order, so once
// something is found no region past it needs reading; a region before it
// may still be in another worker's hands and is finished.
struct SharedScan {
  int fd;
  std::uint64_t from;
  std::size_t regionBytes;
  const NeedleFinder& finder;
  std::atomic<std::uint64_t> nextRegion{0};
  std::atomic<std::uint64_t> firstFinding{kNothingYet};

  void noteFinding(std::uint64_t offset) {
    std::uint64_t seen = firstFinding.load();
    while (offset < seen && !firstFinding.compare_exchange_weak(seen, offset)) {
    }
  }
};

// Takes regions until it finds the text, a read fails, the file ends or the
// other worker has found something earlier. A region is read together with
// the text's length less one bytes of the next, so that an occurrence
// straddling the boundary belongs to the region where it starts.
void runWorker(SharedScan& shared, std::vector<char>& buffer, RegionSearchResult& finding) {
  const std::size_t readBytes = shared.regionBytes + shared.finder.size() - 1;
  for (;;) {
    const std::uint64_t index = shared.nextRegion.fetch_add(1);
    const std::uint64_t start = shared.from + index * shared.regionBytes;
    if (start >= shared.firstFinding.load()) return;
    const ssize_t got = readAt(shared.fd, buffer.data(), readBytes, start);
    if (got < 0) {
      finding = {Outcome::ReadFailed, start, errno};
      shared.noteFinding(start);
      return;
    }
    const char* const begin = buffer.data();
    const char* const end = begin + got;
    const char* const hit = shared.finder.find(begin, end);
    if (hit != end) {
      finding = {Outcome::Found, start + static_cast<std::uint64_t>(hit - begin), 0};
      shared.noteFinding(finding.offset);
      return;
    }
    if (static_cast<std::size_t>(got) < readBytes) return;  // the file ends in this region
  }
}

}  // namespace

RegionSearch::RegionSearch(std::size_t regionBytes)
    : m_regionBytes(regionBytes > 0 ? regionBytes : 1) {}

RegionSearchResult RegionSearch::find(int fd, std::uint64_t from, const NeedleFinder& finder) {
  const std::size_t bufferBytes = m_regionBytes + finder.size() - 1;
  for (std::vector<char>& buffer : m_buffers) {
    if (buffer.size() < bufferBytes) buffer.resize(bufferBytes);
  }
  SharedScan shared{fd, from, m_regionBytes, finder};
  RegionSearchResult findings[2];
  std::optional<std::thread> helper;
  try {
    helper.emplace([&] { runWorker(shared, m_buffers[1], findings[1]); });
  } catch (const std::system_error&) {
    // No thread to be had: the calling thread takes every region itself.
  }
  runWorker(shared, m_buffers[0], findings[0]);
  if (helper) helper->join();

  // The earlier finding wins; an occurrence never lies at the offset of a
  // failed read, which is the start of a region.
  const RegionSearchResult* first = nullptr;
  for (const RegionSearchResult& finding : findings) {
    if (finding.outcome == Outcome::End) continue;
    if (first == nullptr || finding.offset < first->offset) first = &finding;
  }
  return first != nullptr ? *first : RegionSearchResult{};
}

}  // namespace lookup

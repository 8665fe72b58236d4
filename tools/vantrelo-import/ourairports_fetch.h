// SPDX-License-Identifier: MIT
#pragma once

// Downloading the three OurAirports files (airports.csv, runways.csv,
// countries.csv) into a cache folder with libcurl, within limits: an
// overall time, a size per file, a number of redirects; only http, https
// and file URLs, and no redirect from https down to http.
//
// Each run downloads into a private staging folder beside the cache folder.
// Only when all three came whole are they switched in together, the staging
// folder taking the cache folder's place in one step (renameat2 with
// RENAME_EXCHANGE) under a lock on the parent folder (flock), so the cache
// never mixes files of two downloads, also with two runs at once. The run
// keeps the lock while it reads the files it fetched. Staging folders that
// killed runs left are removed once they are older than any fetch may take.

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "common/error.h"

namespace importer {

inline constexpr const char* kOurAirportsDataUrl =
    "https://davidmegginson.github.io/ourairports-data/";

// The longest overall time a fetch may be given.
inline constexpr std::chrono::hours kMaxFetchTime{24};

struct FetchLimits {
  std::chrono::seconds totalTime{600};           // for the whole fetch
  long long maxFileBytes = 512LL * 1024 * 1024;  // for each of the three
  long maxRedirects = 5;

  friend bool operator==(const FetchLimits&, const FetchLimits&) = default;
};

// $XDG_CACHE_HOME/vantrelo/ourairports, or ~/.cache/vantrelo/ourairports;
// nothing when neither variable is set.
std::optional<std::filesystem::path> ourAirportsCacheFolder();

// Whether a --from URL is one fetch takes: http://, https:// or file://.
bool isFetchUrl(const std::string& url);

// Called while a file downloads: its name, bytes so far, whether it is done.
using FetchProgress = std::function<void(const std::string& name, long long bytes, bool done)>;

// The exclusive lock on the cache's parent folder, held until destroyed.
class CacheLock {
 public:
  CacheLock() = default;
  explicit CacheLock(int fd) : m_fd(fd) {}
  CacheLock(CacheLock&& other) noexcept : m_fd(other.m_fd) { other.m_fd = -1; }
  CacheLock& operator=(CacheLock&& other) noexcept;
  CacheLock(const CacheLock&) = delete;
  CacheLock& operator=(const CacheLock&) = delete;
  ~CacheLock();

 private:
  int m_fd = -1;
};

// Downloads baseUrl + name for each file and switches them into folder
// (made if need be). baseUrl may be http(s):// or file://; a missing "/" at
// its end is added. Returns the failure, its reason naming the file, or
// nothing; on success lock holds the cache until the caller has read it.
std::optional<common::Error> fetchOurAirports(const std::string& baseUrl,
                                              const std::filesystem::path& folder,
                                              const FetchLimits& limits,
                                              const FetchProgress& progress, CacheLock& lock);

}  // namespace importer

// SPDX-License-Identifier: MIT
#include "ourairports_fetch.h"

#include "common/error.h"
#include "ourairports_tables.h"

#include <curl/curl.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <system_error>
#include <thread>

namespace importer {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using common::Error;

constexpr const char* kFileNames[] = {kAirportsCsv, kRunwaysCsv, kCountriesCsv};
constexpr const char* kStagingPrefix = ".ourairports-";
// How early libcurl's own timer may fire against the deadline it was given.
constexpr auto kTimerSlack = std::chrono::seconds(1);
// Twice the longest time limit a fetch may be given.
constexpr auto kStaleStaging = 2 * kMaxFetchTime;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
struct CurlCleanup {
  void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};

struct Transfer {
  std::FILE* file = nullptr;
  const std::string* name = nullptr;
  const FetchProgress* progress = nullptr;
  long long maxBytes = 0;
  long long bytes = 0;
  bool writeFailed = false;
  bool tooLarge = false;
};

std::size_t writeData(char* data, std::size_t size, std::size_t count, void* user) {
  auto* transfer = static_cast<Transfer*>(user);
  // Counted as it comes: a server need not say the size, nor keep to it.
  if (transfer->bytes + static_cast<long long>(size * count) > transfer->maxBytes) {
    transfer->tooLarge = true;
    return 0;
  }
  const std::size_t written = std::fwrite(data, size, count, transfer->file) * size;
  transfer->writeFailed = written != size * count;
  transfer->bytes += static_cast<long long>(written);
  if (*transfer->progress) (*transfer->progress)(*transfer->name, transfer->bytes, false);
  return written;
}

// A server that ends the transfer early without saying so still leaves a
// file whose last line has no line end; the OurAirports files end in one.
bool endsWithLineEnd(const fs::path& path) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file || std::fseek(file.get(), -1, SEEK_END) != 0) return false;
  const int last = std::fgetc(file.get());
  return last == '\n' || last == '\r';
}

bool startsWith(const std::string& text, const char* prefix) {
  return text.rfind(prefix, 0) == 0;
}

// A failure of the system on a file or folder of the fetch.
Error pathError(const fs::path& path, int errorNumber) {
  return {path.string() + ": " + common::systemReason(errorNumber), errorNumber};
}

struct Download {
  std::string url;
  fs::path target;
  std::string name;
};

std::optional<Error> download(const Download& file, const FetchLimits& limits,
                              Clock::time_point deadline, const FetchProgress& progress) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  if (left <= 0) {
    return Error{file.url + ": the time limit of " + std::to_string(limits.totalTime.count()) +
                 " s for the fetch is reached"};
  }
  std::unique_ptr<CURL, CurlCleanup> curl(curl_easy_init());
  if (!curl) return Error{file.name + ": cannot start a download"};
  std::unique_ptr<std::FILE, FileCloser> out(std::fopen(file.target.c_str(), "wbx"));
  if (!out) return pathError(file.target, errno);
  Transfer transfer{out.get(), &file.name, &progress, limits.maxFileBytes};
  char reason[CURL_ERROR_SIZE] = "";
  CURL* handle = curl.get();
  curl_easy_setopt(handle, CURLOPT_URL, file.url.c_str());
  curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, writeData);
  curl_easy_setopt(handle, CURLOPT_WRITEDATA, &transfer);
  curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, reason);
  curl_easy_setopt(handle, CURLOPT_FAILONERROR, 1L);
  curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https,file");
  curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(handle, CURLOPT_MAXREDIRS, limits.maxRedirects);
  // A redirect never leaves https for http, and never goes to a file.
  curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR,
                   startsWith(file.url, "https://") ? "https" : "http,https");
  curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxFileBytes));
  curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, static_cast<long>(left));
  curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, 30L);
  // Give up on a connection that stalls for a minute.
  curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, 60L);
  const CURLcode code = curl_easy_perform(handle);
  const bool closed = std::fclose(out.release()) == 0;
  if (transfer.tooLarge || code == CURLE_FILESIZE_EXCEEDED) {
    return Error{file.url + ": larger than the limit of " + std::to_string(limits.maxFileBytes) +
                 " bytes for one file"};
  }
  // libcurl's timer may end the transfer a few milliseconds before the
  // deadline it was given.
  if (code == CURLE_OPERATION_TIMEDOUT && Clock::now() + kTimerSlack >= deadline) {
    return Error{file.url + ": the time limit of " + std::to_string(limits.totalTime.count()) +
                 " s for the fetch is reached"};
  }
  if (code == CURLE_TOO_MANY_REDIRECTS) {
    return Error{file.url + ": more than " + std::to_string(limits.maxRedirects) + " redirects"};
  }
  if (code != CURLE_OK) {
    return Error{file.url + ": " +
                 (reason[0] != '\0' ? std::string(reason) : curl_easy_strerror(code))};
  }
  if (transfer.writeFailed || !closed)
    return Error{file.target.string() + ": cannot write the download"};
  if (!endsWithLineEnd(file.target)) {
    return Error{file.url + ": the download is cut short (no line end at its end)"};
  }
  if (progress) progress(file.name, transfer.bytes, true);
  return std::nullopt;
}

// The staging folder of this run, removed with what it holds unless kept.
class StagingFolder {
 public:
  explicit StagingFolder(const fs::path& parent) {
    std::string pattern = (parent / (std::string(kStagingPrefix) + "XXXXXX")).string();
    if (::mkdtemp(pattern.data()) != nullptr) m_path = pattern;
  }
  StagingFolder(const StagingFolder&) = delete;
  StagingFolder& operator=(const StagingFolder&) = delete;
  ~StagingFolder() {
    std::error_code ec;
    if (!m_path.empty()) fs::remove_all(m_path, ec);
  }
  const fs::path& path() const { return m_path; }

 private:
  fs::path m_path;
};

// Takes the lock on the cache's parent folder, waiting for another run at
// most until the deadline.
std::optional<Error> lockParent(const fs::path& parent, Clock::time_point deadline,
                                CacheLock& lock) {
  const int fd = ::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return pathError(parent, errno);
  CacheLock held(fd);
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EWOULDBLOCK && errno != EINTR) return pathError(parent, errno);
    if (Clock::now() >= deadline) {
      return Error{parent.string() + ": another fetch holds the cache beyond the time limit"};
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  lock = std::move(held);
  return std::nullopt;
}

// Staging folders of runs that were killed: this user's, older than any
// fetch may take. Failures are ignored; a leftover does no harm.
void removeStaleStaging(const fs::path& parent, const fs::path& own) {
  const auto oldest = fs::file_time_type::clock::now() - kStaleStaging;
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(parent, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(kStagingPrefix, 0) != 0 || entry.path() == own) continue;
    struct stat status {};
    if (::lstat(entry.path().c_str(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        status.st_uid != ::geteuid() || entry.last_write_time(ec) > oldest || ec) {
      continue;
    }
    fs::remove_all(entry.path(), ec);
  }
}

// Puts the staging folder in the cache folder's place in one step; the
// staging path then holds the old files, for the caller to remove.
std::optional<Error> switchIn(const fs::path& staging, const fs::path& folder) {
  if (::renameat2(AT_FDCWD, staging.c_str(), AT_FDCWD, folder.c_str(), RENAME_EXCHANGE) == 0) {
    return std::nullopt;
  }
  if (errno == ENOENT && ::rename(staging.c_str(), folder.c_str()) == 0) {
    return std::nullopt;
  }
  if (errno == EINVAL) {
    // A file system without the exchange: two renames, which the lock
    // keeps other runs from coming between.
    const fs::path aside = staging.string() + "-old";
    if (::rename(folder.c_str(), aside.c_str()) == 0) {
      if (::rename(staging.c_str(), folder.c_str()) == 0) {
        ::rename(aside.c_str(), staging.c_str());  // the old files, for the caller to remove
        return std::nullopt;
      }
      const int error = errno;
      ::rename(aside.c_str(), folder.c_str());
      errno = error;
    }
  }
  return pathError(folder, errno);
}

}  // namespace

CacheLock& CacheLock::operator=(CacheLock&& other) noexcept {
  if (this != &other) {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = other.m_fd;
    other.m_fd = -1;
  }
  return *this;
}

CacheLock::~CacheLock() {
  if (m_fd >= 0) ::close(m_fd);  // closing the folder's descriptor lets the lock go
}

std::optional<fs::path> ourAirportsCacheFolder() {
  const char* cache = std::getenv("XDG_CACHE_HOME");
  if (cache != nullptr && cache[0] == '/') return fs::path(cache) / "vantrelo" / "ourairports";
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') {
    return fs::path(home) / ".cache" / "vantrelo" / "ourairports";
  }
  return std::nullopt;
}

bool isFetchUrl(const std::string& url) {
  return startsWith(url, "http://") || startsWith(url, "https://") || startsWith(url, "file://");
}

std::optional<Error> fetchOurAirports(const std::string& baseUrl, const fs::path& folder,
                                      const FetchLimits& limits, const FetchProgress& progress,
                                      CacheLock& lock) {
  const Clock::time_point deadline = Clock::now() + limits.totalTime;
  const fs::path parent = folder.parent_path();
  std::error_code ec;
  fs::create_directories(parent, ec);
  if (ec) return pathError(parent, ec.value());
  static const bool curlReady = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  if (!curlReady) return Error{"cannot start libcurl"};
  const StagingFolder staging(parent);
  if (staging.path().empty()) return pathError(parent, errno);
  const std::string base = baseUrl.empty() || baseUrl.back() == '/' ? baseUrl : baseUrl + "/";
  // All three come whole before any is switched in.
  for (const std::string name : kFileNames) {
    if (auto failure =
            download({base + name, staging.path() / name, name}, limits, deadline, progress)) {
      return failure;
    }
  }
  if (auto failure = lockParent(parent, deadline, lock)) return failure;
  removeStaleStaging(parent, staging.path());
  return switchIn(staging.path(), folder);
}

}  // namespace importer

// SPDX-License-Identifier: MIT
#include "ourairports_fetch.h"

#include <curl/curl.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <system_error>

namespace importer {
namespace {

namespace fs = std::filesystem;

constexpr const char* kFileNames[] = {"airports.csv", "runways.csv", "countries.csv"};

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
  long long bytes = 0;
  bool writeFailed = false;
};

std::size_t writeData(char* data, std::size_t size, std::size_t count, void* user) {
  auto* transfer = static_cast<Transfer*>(user);
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

std::optional<std::string> download(const std::string& url, const fs::path& target,
                                    const std::string& name, const FetchProgress& progress) {
  std::unique_ptr<CURL, CurlCleanup> curl(curl_easy_init());
  if (!curl) return name + ": cannot start a download";
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(target.c_str(), "wb"));
  if (!file) return target.string() + ": " + std::system_category().message(errno);
  Transfer transfer{file.get(), &name, &progress};
  char reason[CURL_ERROR_SIZE] = "";
  curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, writeData);
  curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &transfer);
  curl_easy_setopt(curl.get(), CURLOPT_ERRORBUFFER, reason);
  curl_easy_setopt(curl.get(), CURLOPT_FAILONERROR, 1L);
  curl_easy_setopt(curl.get(), CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl.get(), CURLOPT_PROTOCOLS_STR, "http,https,file");
  curl_easy_setopt(curl.get(), CURLOPT_CONNECTTIMEOUT, 30L);
  // Give up on a connection that stalls for a minute.
  curl_easy_setopt(curl.get(), CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl.get(), CURLOPT_LOW_SPEED_TIME, 60L);
  const CURLcode code = curl_easy_perform(curl.get());
  const bool closed = std::fclose(file.release()) == 0;
  if (code != CURLE_OK) {
    return url + ": " + (reason[0] != '\0' ? std::string(reason) : curl_easy_strerror(code));
  }
  if (transfer.writeFailed || !closed) return target.string() + ": cannot write the download";
  if (!endsWithLineEnd(target)) return url + ": the download is cut short (no line end at its end)";
  if (progress) progress(name, transfer.bytes, true);
  return std::nullopt;
}

}  // namespace

std::optional<fs::path> ourAirportsCacheFolder() {
  const char* cache = std::getenv("XDG_CACHE_HOME");
  if (cache != nullptr && cache[0] == '/') return fs::path(cache) / "vantrelo" / "ourairports";
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') {
    return fs::path(home) / ".cache" / "vantrelo" / "ourairports";
  }
  return std::nullopt;
}

std::optional<std::string> fetchOurAirports(const std::string& baseUrl, const fs::path& folder,
                                            const FetchProgress& progress) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec) return folder.string() + ": " + ec.message();
  static const bool curlReady = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  if (!curlReady) return "cannot start libcurl";
  const std::string base = baseUrl.empty() || baseUrl.back() == '/' ? baseUrl : baseUrl + "/";
  // All three come whole before any takes its name, so the folder never
  // mixes a new airports.csv with an old runways.csv.
  for (const std::string name : kFileNames) {
    if (auto failure = download(base + name, folder / (name + ".part"), name, progress)) {
      for (const std::string other : kFileNames)
        fs::remove(folder / (other + ".part"), ec);
      return failure;
    }
  }
  for (const std::string name : kFileNames) {
    fs::rename(folder / (name + ".part"), folder / name, ec);
    if (ec) return (folder / name).string() + ": " + ec.message();
  }
  return std::nullopt;
}

}  // namespace importer

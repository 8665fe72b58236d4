// SPDX-License-Identifier: MIT
#include "files/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <system_error>

#include "common/messages.h"

namespace files {
namespace {

// Creates a new file of a fresh name beside the target ("x" mode: never an
// existing one); on success returns its path.
std::FILE* createTemporary(const std::filesystem::path& directory, std::filesystem::path& temporary,
                           std::string& reason) {
  static std::minstd_rand generator{std::random_device{}()};
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = directory / (".vantrelo-" + std::to_string(generator()) + ".tmp");
    std::FILE* file = std::fopen(temporary.c_str(), "wbx");
    if (file != nullptr) return file;
    if (errno != EEXIST) break;
  }
  reason = common::systemReason(errno);
  return nullptr;
}

}  // namespace

std::optional<std::string> writeFileAtomically(const std::filesystem::path& target,
                                               std::string_view bytes) {
  std::error_code ec;
  if (std::filesystem::is_directory(target, ec)) return common::systemReason(EISDIR);

  std::filesystem::path directory = target.parent_path();
  if (directory.empty()) directory = ".";
  std::filesystem::path temporary;
  std::string reason;
  std::FILE* file = createTemporary(directory, temporary, reason);
  if (file == nullptr) return reason;

  const bool written =
      std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0;
  if (!written) reason = common::systemReason(errno);
  const bool closed = std::fclose(file) == 0;
  if (written && !closed) reason = common::systemReason(errno);
  if (!written || !closed) {
    std::filesystem::remove(temporary, ec);
    return reason;
  }
  std::filesystem::rename(temporary, target, ec);
  if (ec) {
    reason = common::systemReason(ec.value());
    std::filesystem::remove(temporary, ec);
    return reason;
  }
  return std::nullopt;
}

}  // namespace files

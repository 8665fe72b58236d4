// SPDX-License-Identifier: MIT
#pragma once

// A new file of a fresh name (".vantrelo-NNN.tmp") in a given folder, open
// for writing. It is removed again when the object goes unless keep() was
// called, so no failure can leave it behind.

#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/error.h"

namespace files {

// Our temporaries' names: ".vantrelo-" and decimal digits and ".tmp".
std::string temporaryName(unsigned long number);
bool isTemporaryName(std::string_view name);

// How many fresh names a new temporary, or the link that keeps an old file
// during a save, tries before it gives up; a clash is rare (the names are
// random per process), so running out means trouble.
inline constexpr int kTemporaryNameAttempts = 100;

class TemporaryFile {
 public:
  TemporaryFile() = default;
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile();

  // Each returns nothing on success, else the system's reason.
  std::optional<common::Error> create(const std::filesystem::path& folder);
  // The errno of a create that failed.
  int createError() const { return m_createError; }
  // The owner where this process may set it, and the permission bits.
  std::optional<common::Error> takeOwnerAndMode(const struct stat& original);
  std::optional<common::Error> write(std::string_view bytes);
  // Flushes the bytes to the disk and closes the file.
  std::optional<common::Error> syncAndClose();

  const std::filesystem::path& path() const { return m_path; }
  // The file has been renamed to its final name: nothing to remove.
  void keep() { m_path.clear(); }

 private:
  int m_fd = -1;
  int m_createError = 0;
  std::filesystem::path m_path;
};

// Writes all of bytes to fd, going on after short writes and interruptions.
// Returns nothing, or the error of the write that failed.
std::optional<common::Error> writeAll(int fd, std::string_view bytes);

}  // namespace files

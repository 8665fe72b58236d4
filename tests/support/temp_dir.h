// SPDX-License-Identifier: MIT
#pragma once

// A fresh directory per test, removed afterwards, with helpers to write and
// read whole files as bytes.

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace testing_support {

class TempDir {
 public:
  TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "vantrelo-test-XXXXXX").string();
    m_path = ::mkdtemp(pattern.data());
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return m_path; }
  std::filesystem::path file(std::string_view name) const { return m_path / name; }

  void write(std::string_view name, std::string_view bytes) const {
    std::ofstream(file(name), std::ios::binary) << bytes;
  }
  std::string read(std::string_view name) const {
    std::ifstream in(file(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

 private:
  std::filesystem::path m_path;
};

// Runs in a temporary working directory, restoring the old one afterwards.
class InTempWorkingDir {
 public:
  InTempWorkingDir() : m_previous(std::filesystem::current_path()) {
    std::filesystem::current_path(m_dir.path());
  }
  ~InTempWorkingDir() { std::filesystem::current_path(m_previous); }
  const TempDir& dir() const { return m_dir; }

 private:
  TempDir m_dir;
  std::filesystem::path m_previous;
};

// True when the file opens but its first byte cannot be read (EIO), as
// /proc/self/mem where nothing is mapped at address 0.
inline bool readFailsWithEio(const char* path) {
  const int fd = ::open(path, O_RDONLY);
  if (fd < 0) return false;
  char byte = 0;
  const bool failed = ::pread(fd, &byte, 1, 0) < 0 && errno == EIO;
  ::close(fd);
  return failed;
}

}  // namespace testing_support

#pragma once

// The open airports.txt with its read position. The file is read through one
// fixed buffer and never held whole; an item is the text up to the next
// comma or line end (CR LF, bare LF or bare CR), which is consumed with it.

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lookup {

inline constexpr const char* kDatabaseFileName = "airports.txt";

struct Item {
  std::string_view text;  // valid until the next read; empty when oversized
  bool oversized = false;  // longer than kMaxItemBytes: read over, never used
};

class AirportDatabase {
 public:
  static constexpr std::size_t kMaxItemBytes = 65536;
  static constexpr std::size_t kDefaultBufferBytes = 256 * 1024;

  // bufferBytes is at least kMaxItemBytes + 1 so that a whole item fits.
  explicit AirportDatabase(std::string path = kDatabaseFileName,
                           std::size_t bufferBytes = kDefaultBufferBytes);

  // Opens the file with the read position at its start. On failure returns
  // false and sets error to the system's reason.
  bool open(std::string& error);
  void close();
  bool isOpen() const { return m_file != nullptr; }
  const std::string& path() const { return m_path; }

  // True when nothing is left to read, also when the file is not open.
  bool atEnd();

  // The next item. Call only when atEnd() is false.
  Item readItem();

  // Reads items until one holds needle; returns its 1-based position in that
  // item (the item is then in matchedItem) or 0 at the end of the file. An
  // empty needle matches the next non-empty item. Oversized items never
  // match, nor do items that fail the accept test.
  template <typename Accept>
  std::size_t scanFor(std::string_view needle, Accept accept, std::string& matchedItem) {
    while (!atEnd()) {
      const Item item = readItem();
      if (item.oversized || item.text.empty()) continue;
      const std::size_t found = needle.empty() ? 0 : item.text.find(needle);
      if (found == std::string_view::npos) continue;
      if (!accept(item.text)) continue;
      matchedItem.assign(item.text);
      return found + 1;
    }
    return 0;
  }

 private:
  struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };

  bool refill();  // moves the unread bytes to the front and reads more
  void skipPendingLineFeed();

  std::string m_path;
  std::unique_ptr<std::FILE, FileCloser> m_fileOwner;
  std::FILE* m_file = nullptr;
  std::vector<char> m_buffer;
  std::size_t m_begin = 0;  // first unread byte
  std::size_t m_end = 0;    // one past the last byte read from the file
  bool m_fileDone = false;  // the file has no more bytes to give
  bool m_pendingLineFeed = false;  // a CR ended the last item at the buffer's end
};

}  // namespace lookup

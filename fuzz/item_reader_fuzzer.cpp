// SPDX-License-Identifier: MIT
// The item reader and the scan over arbitrary bytes. The fuzz input chooses
// the reader's buffer size, stretches the file with a run of one byte so its
// size lands near the buffer's edges (the buffer holds at least 65,537
// bytes), and then drives a random mix of reads, scans, end tests and
// reopenings. Every result is held against the plain reading of
// tests/support/plain_database.h.

#include <fuzzer/FuzzedDataProvider.h>

#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "lookup/airport_database.h"
#include "lookup/airport_line.h"
#include "plain_database.h"
#include "reference.h"

namespace {

using lookup::AirportDatabase;
using testing_support::PlainDatabase;
using testing_support::PlainItem;

std::string g_path;

void writeFile(const std::string& bytes) {
  std::FILE* file = std::fopen(g_path.c_str(), "wb");
  fuzzref::check(file != nullptr, "cannot create the fuzz file");
  fuzzref::check(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size(),
                 "cannot write the fuzz file");
  std::fclose(file);
}

std::size_t chooseBufferBytes(FuzzedDataProvider& data) {
  constexpr std::size_t kMinimum = AirportDatabase::kMaxItemBytes + 1;
  switch (data.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
      return kMinimum;
    case 1:
      return data.ConsumeIntegralInRange<std::size_t>(0, 64);  // raised to the minimum
    case 2:
      return kMinimum + data.ConsumeIntegralInRange<std::size_t>(1, 4096);
    default:
      return AirportDatabase::kDefaultBufferBytes;
  }
}

// A length near one of the sizes where the reader changes what it does.
std::size_t chooseStretch(FuzzedDataProvider& data, std::size_t bufferBytes) {
  const std::size_t anchors[] = {0, 1024, AirportDatabase::kMaxItemBytes, bufferBytes,
                                 2 * bufferBytes};
  const std::size_t anchor = anchors[data.ConsumeIntegralInRange<std::size_t>(0, 4)];
  const auto delta = data.ConsumeIntegralInRange<int>(-16, 16);
  if (delta >= 0) return anchor + static_cast<std::size_t>(delta);
  const auto below = static_cast<std::size_t>(-delta);
  return below > anchor ? 0 : anchor - below;
}

bool acceptAll(std::string_view) {
  return true;
}

bool referenceAirportLine(std::string_view item) {
  return fuzzref::splitAirport(item).has_value();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const char* base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
  g_path = std::string(base) + "/vantrelo-reader-" + std::to_string(::getpid()) + ".txt";
  std::atexit([] { std::remove(g_path.c_str()); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  const std::size_t bufferBytes = chooseBufferBytes(data);
  const std::size_t stretch = chooseStretch(data, bufferBytes);
  const char filler = data.ConsumeIntegral<char>();
  const std::string head = data.ConsumeRandomLengthString(4096);
  const std::string needle = data.ConsumeRandomLengthString(16);
  const std::string script = data.ConsumeRandomLengthString(24);
  std::string file = head;
  // The stretch goes somewhere inside the head, so an item can span it.
  const std::size_t at = head.empty() ? 0 : static_cast<unsigned char>(filler) % (head.size() + 1);
  file.insert(at, stretch, filler);
  file += data.ConsumeRemainingBytesAsString();
  writeFile(file);

  AirportDatabase database(g_path, bufferBytes);
  PlainDatabase model(file, AirportDatabase::kMaxItemBytes);
  fuzzref::check(!database.open(), "open failed");

  // Each script byte is one step; at the end everything left is read.
  for (char step : script) {
    fuzzref::check(database.atEnd() == model.atEnd(), "atEnd differs");
    switch (static_cast<unsigned char>(step) % 5) {
      case 0:
      case 1: {
        if (model.atEnd()) break;
        const lookup::Item item = database.readItem();
        const PlainItem& expected = model.readItem();
        fuzzref::check(item.oversized == expected.oversized, "readItem: oversized differs");
        fuzzref::check(item.text == expected.text, "readItem: text differs");
        break;
      }
      case 2:
      case 3: {
        const bool airportLines = step & 0x40;
        std::string matched = "stale";
        const std::size_t position =
            airportLines ? database.scanFor(needle, lookup::isSplittableAirportLine, matched)
                         : database.scanFor(needle, acceptAll, matched);
        std::string expectedMatch;
        const std::size_t expectedPosition =
            model.scanFor(needle, airportLines ? referenceAirportLine : acceptAll, expectedMatch);
        fuzzref::check(position == expectedPosition, "scanFor: position differs");
        if (position > 0) fuzzref::check(matched == expectedMatch, "scanFor: matched item differs");
        break;
      }
      default:
        fuzzref::check(!database.open(), "reopen failed");
        model.reopen();
        break;
    }
  }
  while (!model.atEnd()) {
    fuzzref::check(!database.atEnd(), "reader ends early");
    const lookup::Item item = database.readItem();
    const PlainItem& expected = model.readItem();
    fuzzref::check(item.oversized == expected.oversized && item.text == expected.text,
                   "final read differs");
  }
  fuzzref::check(database.atEnd(), "reader does not end with the file");
  return 0;
}

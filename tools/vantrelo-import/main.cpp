// SPDX-License-Identifier: MIT
// vantrelo-import: converts the OurAirports open data into an airports.txt
// database. Run with --help for the options.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <new>
#include <optional>
#include <set>
#include <string>

#if __has_include(<unistd.h>)
#include <unistd.h>
#define VANTRELO_HAS_ISATTY 1
#endif

#include "airport_order.h"
#include "common/text1252.h"
#include "csv_reader.h"
#include "database_writer.h"
#include "files/atomic_file.h"
#include "files/temporary_file.h"
#include "first_click_report.h"
#include "import_options.h"
#include "importer.h"
#include "input_encoding.h"
#include "ourairports_fetch.h"
#include "ourairports_tables.h"

namespace {

namespace fs = std::filesystem;
using importer::ImportOptions;

constexpr const char* kProgram = "vantrelo-import";
constexpr int kExitData = 1;
constexpr int kExitUsage = 2;

int usageError(const std::string& reason) {
  std::cerr << kProgram << ": " << reason << "\n"
            << "Try '" << kProgram << " --help' for more information.\n";
  return kExitUsage;
}

bool stderrIsTerminal() {
#ifdef VANTRELO_HAS_ISATTY
  return isatty(fileno(stderr)) != 0;
#else
  return false;
#endif
}

// Progress on standard error: a counter that updates in place on a terminal,
// the final count of each file otherwise.
class Progress {
 public:
  explicit Progress(bool quiet) : m_quiet(quiet), m_terminal(stderrIsTerminal()) {}

  importer::ProgressCallback callback() {
    if (m_quiet) return {};
    return [this](const std::string& fileName, std::size_t records, bool done) {
      if (!m_terminal && !done) return;
      std::cerr << (m_terminal ? "\r" : "") << kProgram << ": read " << fileName << ": " << records
                << " rows" << (done ? "\n" : "") << std::flush;
    };
  }

  importer::FetchProgress fetchCallback() {
    if (m_quiet) return {};
    return [this](const std::string& name, long long bytes, bool done) {
      if (!m_terminal && !done) return;
      std::cerr << (m_terminal ? "\r" : "") << kProgram << ": fetched " << name << ": " << bytes
                << " bytes" << (done ? "\n" : "") << std::flush;
    };
  }

 private:
  bool m_quiet;
  bool m_terminal;
};

void printSkipped(const char* what, const std::map<std::string, std::size_t>& counts) {
  for (const auto& [reason, count] : counts) {
    std::cerr << "  " << what << " left out, " << reason << ": " << count << "\n";
  }
}

void printWarnings(const importer::ImportSummary& summary) {
  constexpr std::size_t kWarningsShown = 20;
  for (std::size_t i = 0; i < summary.warnings.size() && i < kWarningsShown; ++i) {
    std::cerr << summary.warnings[i] << "\n";
  }
  if (summary.warningCount > kWarningsShown) {
    std::cerr << "... and " << summary.warningCount - kWarningsShown << " more warnings\n";
  }
}

void printSkipped(const importer::ImportSummary& summary) {
  printSkipped("airports", summary.airportsSkipped);
  printSkipped("runways", summary.runwaysSkipped);
  printSkipped("runway ends", summary.runwayEndsSkipped);
}

void printSummary(const importer::ImportSummary& summary, const fs::path& output,
                  std::size_t bytes) {
  printWarnings(summary);
  std::cerr << kProgram << ": wrote " << output.string() << " (" << bytes
            << " bytes): " << summary.airportsWritten << " airports of " << summary.airportRows
            << " rows, " << summary.runwayLinesWritten << " runway lines from "
            << summary.runwayRows << " runway rows\n";
  printSkipped(summary);
}

// "-" is standard output; any other name is saved whole or not at all.
std::optional<common::Error> writeOutput(const fs::path& output, std::string_view bytes) {
  if (output != "-") return files::writeFileAtomically(output, bytes);
  return files::writeAll(fileno(stdout), bytes);
}

// Downloads the three files and points options at them; false on failure.
bool fetchInto(ImportOptions& options, Progress& progress, importer::CacheLock& lock) {
  const auto folder = importer::ourAirportsCacheFolder();
  if (!folder) {
    std::cerr << kProgram << ": --fetch: neither XDG_CACHE_HOME nor HOME is set\n";
    return false;
  }
  if (!options.quiet) {
    std::cerr << kProgram << ": fetching from " << options.fromUrl << " into " << folder->string()
              << "\n";
  }
  if (const auto failure = importer::fetchOurAirports(options.fromUrl, *folder, options.fetchLimits,
                                                      progress.fetchCallback(), lock)) {
    std::cerr << kProgram << ": " << failure->reason << "\n"
              << kProgram << ": " << options.output.string() << " left as it was\n";
    return false;
  }
  options.airports = *folder / importer::kAirportsCsv;
  options.runways = *folder / importer::kRunwaysCsv;
  options.countries = *folder / importer::kCountriesCsv;
  return true;
}

// A fault of an input file; the output is never touched by one.
int inputFailure(const common::Error& error) {
  std::cerr << kProgram << ": " << error.reason << "\n";
  return kExitData;
}

// Opens one of the CSV files for reading as a stream, its fields made UTF-8.
common::Expected<std::unique_ptr<importer::CsvReader>> openTable(
    const fs::path& path, const std::optional<std::string>& encoding) {
  auto reader = std::make_unique<importer::CsvReader>(path, path.string());
  if (reader->failure()) return *reader->failure();
  auto filter = importer::utf8Fields(encoding, reader->startsWithByteOrderMark(), path.string());
  if (!filter) return filter.error();
  reader->setFieldFilter(std::move(*filter));
  return reader;
}

// The airports of the three files as blocks. The files are read a record at
// a time and each row is taken or dropped at once: only the airports
// written are held.
common::Expected<importer::ImportResult> readInput(const ImportOptions& options,
                                                   const std::set<std::string>& types,
                                                   Progress& progress) {
  const std::string airportsName = options.airports->string();
  const std::string runwaysName = options.runways->string();
  auto countriesTable = openTable(*options.countries, options.encoding);
  if (!countriesTable) return countriesTable.error();
  const auto countries = importer::readCountryNames(**countriesTable, options.countries->string(),
                                                    progress.callback());
  if (!countries) return countries.error();
  importer::DatabaseBuilder builder(*countries, types, airportsName, runwaysName,
                                    &importer::installedGazetteer());
  auto airportsTable = openTable(*options.airports, options.encoding);
  if (!airportsTable) return airportsTable.error();
  if (auto failure = importer::forEachAirportRow(
          **airportsTable, airportsName, progress.callback(),
          [&builder](importer::AirportRow& row) { builder.addAirport(row); })) {
    return *failure;
  }
  auto runwaysTable = openTable(*options.runways, options.encoding);
  if (!runwaysTable) return runwaysTable.error();
  if (auto failure = importer::forEachRunwayRow(
          **runwaysTable, runwaysName, progress.callback(),
          [&builder](importer::RunwayRow& row) { builder.addRunway(row); })) {
    return *failure;
  }
  return builder.finish();
}

int convert(const ImportOptions& options, const std::set<std::string>& types, Progress& progress) {
  common::Expected<importer::ImportResult> input = readInput(options, types, progress);
  if (!input) return inputFailure(input.error());
  importer::ImportResult& result = *input;
  if (result.blocks.empty()) {
    if (!options.quiet) {
      printWarnings(result.summary);
      printSkipped(result.summary);
    }
    std::cerr << kProgram << ": no airport to write among " << result.summary.airportRows
              << " rows; " << options.output.string() << " left as it was\n";
    return kExitData;
  }
  importer::orderBlocks(result.blocks, options.order);
  const std::string bytes = importer::databaseBytes(result.blocks);
  if (const auto failure = writeOutput(options.output, bytes)) {
    std::cerr << kProgram << ": " << options.output.string() << ": "
              << common::cp1252ToUtf8(failure->reason) << "\n";
    return kExitData;
  }
  if (!options.quiet) printSummary(result.summary, options.output, bytes.size());
  return EXIT_SUCCESS;
}

// The first-click report on options.output, with the types of
// options.airports.
int runReport(const ImportOptions& options) {
  const auto airportsText = importer::readWholeFile(*options.airports);
  if (!airportsText) return inputFailure(airportsText.error());
  const auto rows = importer::readAirportRows(*airportsText, options.airports->string());
  if (!rows) return inputFailure(rows.error());
  const auto types = importer::typesByIcao(*rows);
  const auto report = importer::measureFirstClicks(options.output, types);
  if (!report) {
    std::cerr << kProgram << ": " << options.output.string() << ": "
              << common::cp1252ToUtf8(report.error().reason) << "\n";
    return kExitData;
  }
  std::vector<importer::CityCheck> cities;
  if (options.cities) {
    const auto list = importer::readWholeFile(*options.cities);
    if (!list) return inputFailure(list.error());
    cities = importer::checkCities(options.output, *list);
  }
  importer::printReport(std::cout, *report, cities);
  return EXIT_SUCCESS;
}

int run(ImportOptions options) {
  if (options.report) return runReport(options);
  std::set<std::string> types = importer::defaultAirportTypes();
  if (!options.types.empty()) {
    const auto parsed = importer::parseAirportTypes(options.types);
    if (!parsed) return usageError("--types: " + parsed.error().reason);
    types = *parsed;
  }
  Progress progress(options.quiet);
  // Held while the fetched files are read, so another fetch cannot switch
  // them in the meantime.
  importer::CacheLock cacheLock;
  if (options.fetch && !fetchInto(options, progress, cacheLock)) return kExitData;
  return convert(options, types, progress);
}

}  // namespace

int main(int argc, char** argv) {
  const importer::ParsedOptions parsed = importer::parseImportOptions(argc, argv);
  switch (parsed.outcome) {
    case importer::OptionsOutcome::Help:
      std::cout << importer::usageText();
      return EXIT_SUCCESS;
    case importer::OptionsOutcome::Version:
      std::cout << importer::versionText();
      return EXIT_SUCCESS;
    case importer::OptionsOutcome::UsageError:
      return usageError(parsed.error);
    case importer::OptionsOutcome::Run:
      break;
  }
  try {
    return run(parsed.options);
  } catch (const std::bad_alloc&) {
    // Never an abort: the output is untouched, and the status says so.
    std::cerr << kProgram << ": out of memory; " << parsed.options.output.string()
              << " left as it was\n";
    return kExitData;
  } catch (const std::exception& error) {
    // Faults of the input come back as errors; what is left here is the
    // standard library's own (a file-system call) or a broken invariant.
    std::cerr << kProgram << ": " << error.what() << "\n";
    return kExitData;
  }
}

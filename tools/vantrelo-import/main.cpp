// SPDX-License-Identifier: MIT
// vantrelo-import: converts the OurAirports open data into an airports.txt
// database. Run with --help for the options.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#if __has_include(<unistd.h>)
#include <unistd.h>
#define VANTRELO_HAS_ISATTY 1
#endif

#include "airport_order.h"
#include "csv_reader.h"
#include "database_writer.h"
#include "files/atomic_file.h"
#include "first_click_report.h"
#include "importer.h"
#include "ourairports_tables.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kProgram = "vantrelo-import";
constexpr int kExitData = 1;
constexpr int kExitUsage = 2;

void printUsage(std::ostream& out) {
  out << "Usage: " << kProgram << " [OPTIONS] INPUT_DIR OUTPUT_FILE\n"
      << "       " << kProgram << " [OPTIONS] --airports F --runways F --countries F OUTPUT_FILE\n"
      << "       " << kProgram << " --report [--cities FILE] INPUT_DIR DATABASE\n"
      << "\n"
      << "Converts the OurAirports open data (airports.csv, runways.csv, countries.csv)\n"
      << "into an airports.txt database for Vantrelo. OUTPUT_FILE is replaced whole.\n"
      << "\n"
      << "Options:\n"
      << "  --types LIST      airport types to write, comma-separated (default:\n"
      << "                    large_airport,medium_airport,small_airport,seaplane_base;\n"
      << "                    also heliport, balloonport). Closed airports are never written.\n"
      << "  --airports FILE   airports.csv to read instead of INPUT_DIR/airports.csv\n"
      << "  --runways FILE    runways.csv to read instead of INPUT_DIR/runways.csv\n"
      << "  --countries FILE  countries.csv to read instead of INPUT_DIR/countries.csv\n"
      << "  --order ORDER     first-click (default): the airport a code or city name\n"
      << "                    most likely means comes first; ident: sorted by ident\n"
      << "  --report          write nothing; print for DATABASE how many airports the\n"
      << "                    first search for their ICAO and IATA codes shows, by the\n"
      << "                    types in INPUT_DIR/airports.csv, and the misses\n"
      << "  --cities FILE     with --report: also search each city of FILE (UTF-8 lines\n"
      << "                    \"City|ICAO\", the ICAO code of the airport meant optional)\n"
      << "  --quiet           no progress and no summary, only errors\n"
      << "  -h, --help        this text\n"
      << "\n"
      << "Example: " << kProgram
      << " --types large_airport,medium_airport ourairports/ airports.txt\n";
}

struct Options {
  std::string types;
  std::optional<fs::path> airports;
  std::optional<fs::path> runways;
  std::optional<fs::path> countries;
  std::optional<fs::path> inputDir;
  fs::path output;
  bool quiet = false;
  importer::BlockOrder order = importer::BlockOrder::FirstClick;
  bool report = false;
  std::optional<fs::path> cities;
};

int usageError(const std::string& reason) {
  std::cerr << kProgram << ": " << reason << "\n"
            << "Try '" << kProgram << " --help' for more information.\n";
  return kExitUsage;
}

// Returns the exit code when the program should stop at once.
std::optional<int> parseOptions(int argc, char** argv, Options& options) {
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= argc) return std::nullopt;
      return std::string(argv[++i]);
    };
    if (arg == "-h" || arg == "--help") {
      printUsage(std::cout);
      return EXIT_SUCCESS;
    }
    if (arg == "--quiet") {
      options.quiet = true;
    } else if (arg == "--report") {
      options.report = true;
    } else if (arg == "--order" || arg == "--cities") {
      const auto text = value();
      if (!text) return usageError(std::string(arg) + " needs a value");
      if (arg == "--cities") options.cities = *text;
      if (arg == "--order") {
        const auto order = importer::parseBlockOrder(*text);
        if (!order)
          return usageError("--order: \"" + *text + "\" is neither first-click nor ident");
        options.order = *order;
      }
    } else if (arg == "--types" || arg == "--airports" || arg == "--runways" ||
               arg == "--countries") {
      const auto text = value();
      if (!text) return usageError(std::string(arg) + " needs a value");
      if (arg == "--types") options.types = *text;
      if (arg == "--airports") options.airports = *text;
      if (arg == "--runways") options.runways = *text;
      if (arg == "--countries") options.countries = *text;
    } else if (arg.size() > 1 && arg.front() == '-') {
      return usageError("unknown option " + std::string(arg));
    } else {
      positional.emplace_back(arg);
    }
  }
  const bool allFilesGiven = options.airports && options.runways && options.countries;
  if (positional.size() == 2) {
    options.inputDir = positional[0];
    options.output = positional[1];
  } else if (positional.size() == 1 && allFilesGiven) {
    options.output = positional[0];
  } else {
    return usageError(positional.size() < 2 ? "an input folder and an output file are needed"
                                            : "too many arguments");
  }
  if (!options.airports) options.airports = *options.inputDir / "airports.csv";
  if (!options.runways) options.runways = *options.inputDir / "runways.csv";
  if (!options.countries) options.countries = *options.inputDir / "countries.csv";
  return std::nullopt;
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

 private:
  bool m_quiet;
  bool m_terminal;
};

void printSkipped(const char* what, const std::map<std::string, std::size_t>& counts) {
  for (const auto& [reason, count] : counts) {
    std::cerr << "  " << what << " left out, " << reason << ": " << count << "\n";
  }
}

void printSummary(const importer::ImportSummary& summary, const fs::path& output,
                  std::size_t bytes) {
  constexpr std::size_t kWarningsShown = 20;
  for (std::size_t i = 0; i < summary.warnings.size() && i < kWarningsShown; ++i) {
    std::cerr << summary.warnings[i] << "\n";
  }
  if (summary.warnings.size() > kWarningsShown) {
    std::cerr << "... and " << summary.warnings.size() - kWarningsShown << " more warnings\n";
  }
  std::cerr << kProgram << ": wrote " << output.string() << " (" << bytes
            << " bytes): " << summary.airportsWritten << " airports of " << summary.airportRows
            << " rows, " << summary.runwayLinesWritten << " runway lines from "
            << summary.runwayRows << " runway rows\n";
  printSkipped("airports", summary.airportsSkipped);
  printSkipped("runways", summary.runwaysSkipped);
  printSkipped("runway ends", summary.runwayEndsSkipped);
}

// The first-click report on options.output, with the types of
// options.airports.
int runReport(const Options& options) {
  const std::string airportsText = importer::readWholeFile(*options.airports);
  const auto types =
      importer::typesByIcao(importer::readAirportRows(airportsText, options.airports->string()));
  std::string error;
  const auto report = importer::measureFirstClicks(options.output.string(), types, error);
  if (!report) {
    std::cerr << kProgram << ": " << options.output.string() << ": " << error << "\n";
    return kExitData;
  }
  std::vector<importer::CityCheck> cities;
  if (options.cities) {
    const std::string list = importer::readWholeFile(*options.cities);
    cities = importer::checkCities(options.output.string(), list);
  }
  importer::printReport(std::cout, *report, cities);
  return EXIT_SUCCESS;
}

int run(const Options& options) {
  if (options.report) return runReport(options);
  std::set<std::string> types = importer::defaultAirportTypes();
  if (!options.types.empty()) {
    std::string error;
    const auto parsed = importer::parseAirportTypes(options.types, error);
    if (!parsed) return usageError("--types: " + error);
    types = *parsed;
  }

  Progress progress(options.quiet);
  const auto readTable = [&](const fs::path& path, auto reader) {
    const std::string text = importer::readWholeFile(path);
    return reader(text, path.string(), progress.callback());
  };
  const auto countries = readTable(*options.countries, importer::readCountryNames);
  const auto airports = readTable(*options.airports, importer::readAirportRows);
  const auto runways = readTable(*options.runways, importer::readRunwayRows);

  importer::ImportResult result = importer::buildDatabase(
      {airports, runways, countries, options.airports->string(), options.runways->string()}, types);
  importer::orderBlocks(result.blocks, options.order);
  const std::string bytes = importer::databaseBytes(result.blocks);
  if (const auto failure = files::writeFileAtomically(options.output, bytes)) {
    std::cerr << kProgram << ": " << options.output.string() << ": " << *failure << "\n";
    return kExitData;
  }
  if (!options.quiet) printSummary(result.summary, options.output, bytes.size());
  return EXIT_SUCCESS;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (const auto stop = parseOptions(argc, argv, options)) return *stop;
  try {
    return run(options);
  } catch (const importer::CsvError& error) {
    std::cerr << kProgram << ": " << error.what() << "\n";
    return kExitData;
  }
}

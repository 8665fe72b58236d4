// SPDX-License-Identifier: MIT
#include "import_options.h"

#include <getopt.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "common/error.h"
#include "input_encoding.h"
#include "ourairports_fetch.h"
#include "ourairports_tables.h"
#include "vantrelo_version.h"

namespace importer {
namespace {

enum LongOnly {
  kTypes = 256,
  kAirports,
  kRunways,
  kCountries,
  kEncoding,
  kFetch,
  kFrom,
  kVersion,
  kOrder,
  kReport,
  kCities,
  kFetchTimeLimit,
  kFetchSizeLimit
};

const option kLongOptions[] = {{"types", required_argument, nullptr, kTypes},
                               {"airports", required_argument, nullptr, kAirports},
                               {"runways", required_argument, nullptr, kRunways},
                               {"countries", required_argument, nullptr, kCountries},
                               {"encoding", required_argument, nullptr, kEncoding},
                               {"fetch", no_argument, nullptr, kFetch},
                               {"from", required_argument, nullptr, kFrom},
                               {"fetch-time-limit", required_argument, nullptr, kFetchTimeLimit},
                               {"fetch-size-limit", required_argument, nullptr, kFetchSizeLimit},
                               {"order", required_argument, nullptr, kOrder},
                               {"report", no_argument, nullptr, kReport},
                               {"cities", required_argument, nullptr, kCities},
                               {"quiet", no_argument, nullptr, 'q'},
                               {"help", no_argument, nullptr, 'h'},
                               {"version", no_argument, nullptr, kVersion},
                               {nullptr, 0, nullptr, 0}};

using common::Error;

ParsedOptions usageError(std::string reason) {
  ParsedOptions parsed;
  parsed.outcome = OptionsOutcome::UsageError;
  parsed.error = std::move(reason);
  return parsed;
}

// The option getopt_long stopped at, as the user wrote it ("--bogus").
std::string offendingOption(char** argv) {
  const std::string written = argv[optind - 1];
  return written.substr(0, written.find('='));
}

// INPUT_DIR OUTPUT, or OUTPUT alone when the three files are named or
// fetched.
std::optional<Error> placeFileNames(const std::vector<std::string>& names, ImportOptions& options) {
  const bool inputGiven =
      options.fetch || (options.airports && options.runways && options.countries);
  if (names.size() == 2 && !options.fetch) {
    options.inputDir = names[0];
    options.output = names[1];
  } else if (names.size() == 1 && inputGiven) {
    options.output = names[0];
  } else if (options.fetch) {
    return Error{names.empty() ? "--fetch needs an output file"
                               : "--fetch takes only an output file"};
  } else {
    return Error{names.size() < 2 ? "an input folder and an output file are needed"
                                  : "too many arguments"};
  }
  return std::nullopt;
}

// Options that only make sense with another one, or never with it.
std::optional<Error> mismatchedOptions(const ImportOptions& options) {
  if (!options.fromUrl.empty() && !options.fetch) return Error{"--from needs --fetch"};
  if (options.fetchLimits != FetchLimits{} && !options.fetch) {
    return Error{"--fetch-time-limit and --fetch-size-limit go with --fetch"};
  }
  if (options.report && options.fetch)
    return Error{"--report reads a database; it does not go with --fetch"};
  if (options.cities && !options.report) return Error{"--cities goes with --report"};
  if (options.fetch && (options.airports || options.runways || options.countries)) {
    return Error{
        "--fetch downloads the three files; --airports, --runways and --countries do not go "
        "with it"};
  }
  return std::nullopt;
}

// The files of INPUT_DIR that no option names.
void placeInputFiles(ImportOptions& options) {
  if (!options.inputDir) return;
  if (!options.airports) options.airports = *options.inputDir / kAirportsCsv;
  if (!options.runways) options.runways = *options.inputDir / kRunwaysCsv;
  if (!options.countries) options.countries = *options.inputDir / kCountriesCsv;
}

// A whole number from 1 to max, or nothing.
std::optional<long long> positiveNumber(const char* text, long long max) {
  char* end = nullptr;
  errno = 0;
  const long long value = std::strtoll(text, &end, 10);
  if (errno != 0 || end == text || *end != '\0' || value < 1 || value > max) return std::nullopt;
  return value;
}

// --fetch-time-limit SECONDS or --fetch-size-limit MB, in optarg.
std::optional<Error> applyFetchLimit(int option, FetchLimits& limits) {
  const bool time = option == kFetchTimeLimit;
  constexpr long long kMaxMegabytes = 1024LL * 1024;
  const long long max = time ? std::chrono::seconds(kMaxFetchTime).count() : kMaxMegabytes;
  const auto value = positiveNumber(optarg, max);
  if (!value) {
    return Error{std::string(time ? "--fetch-time-limit: \"" : "--fetch-size-limit: \"") + optarg +
                 "\" is no whole number from 1 to " + std::to_string(max)};
  }
  if (time) {
    limits.totalTime = std::chrono::seconds(*value);
  } else {
    limits.maxFileBytes = *value * 1024 * 1024;
  }
  return std::nullopt;
}

// Takes one option getopt_long returned, with its value in optarg; says
// what is wrong with it, if anything.
std::optional<Error> applyOption(int option, char** argv, ImportOptions& options) {
  switch (option) {
    case 'q':
      options.quiet = true;
      break;
    case kTypes:
      options.types = optarg;
      break;
    case kAirports:
      options.airports = optarg;
      break;
    case kRunways:
      options.runways = optarg;
      break;
    case kCountries:
      options.countries = optarg;
      break;
    case kEncoding:
      if (!isKnownEncoding(optarg)) {
        return Error{std::string("--encoding: unknown encoding \"") + optarg + "\""};
      }
      options.encoding = optarg;
      break;
    case kFetch:
      options.fetch = true;
      break;
    case kFrom:
      options.fromUrl = optarg;
      if (!isFetchUrl(options.fromUrl)) {
        return Error{"--from: \"" + options.fromUrl + "\" is no http://, https:// or file:// URL"};
      }
      break;
    case kFetchTimeLimit:
    case kFetchSizeLimit:
      return applyFetchLimit(option, options.fetchLimits);
    case kOrder: {
      const auto order = parseBlockOrder(optarg);
      if (!order)
        return Error{std::string("--order: \"") + optarg + "\" is neither first-click nor ident"};
      options.order = *order;
      break;
    }
    case kReport:
      options.report = true;
      break;
    case kCities:
      options.cities = optarg;
      break;
    case ':':
      return Error{offendingOption(argv) + " needs a value"};
    default:
      return Error{"unknown option " + offendingOption(argv)};
  }
  return std::nullopt;
}

}  // namespace

ParsedOptions parseImportOptions(int argc, char** argv) {
  ParsedOptions parsed;
  ImportOptions& options = parsed.options;
  opterr = 0;  // the messages are ours
  optind = 0;  // start afresh (GNU), also when called more than once
  int longIndex = -1;
  for (int c; (c = getopt_long(argc, argv, ":hq", kLongOptions, &longIndex)) != -1;
       longIndex = -1) {
    if (c == 'h' || c == kVersion) {
      parsed.outcome = c == 'h' ? OptionsOutcome::Help : OptionsOutcome::Version;
      return parsed;
    }
    // "--from=" is no URL, "--types=" no list: never a silent default.
    if (longIndex >= 0 && optarg != nullptr && optarg[0] == '\0') {
      return usageError(std::string("--") + kLongOptions[longIndex].name + " needs a value");
    }
    if (auto error = applyOption(c, argv, options)) return usageError(error->reason);
  }
  if (options.fetch && options.fromUrl.empty()) options.fromUrl = kOurAirportsDataUrl;
  std::vector<std::string> names(argv + optind, argv + argc);
  if (auto error = placeFileNames(names, options)) return usageError(error->reason);
  if (auto error = mismatchedOptions(options)) return usageError(error->reason);
  placeInputFiles(options);
  return parsed;
}

std::string usageText() {
  return "Usage: vantrelo-import [OPTIONS] INPUT_DIR OUTPUT_FILE\n"
         "       vantrelo-import [OPTIONS] --airports F --runways F --countries F OUTPUT_FILE\n"
         "       vantrelo-import [OPTIONS] --fetch [--from URL] OUTPUT_FILE\n"
         "       vantrelo-import --report [--cities FILE] INPUT_DIR DATABASE\n"
         "\n"
         "Converts the OurAirports open data (airports.csv, runways.csv, countries.csv)\n"
         "into an airports.txt database for Vantrelo. OUTPUT_FILE (\"-\": standard output)\n"
         "is replaced whole, and only when at least one airport is written.\n"
         "\n"
         "Options:\n"
         "  --types LIST      airport types to write, comma-separated (default:\n"
         "                    large_airport,medium_airport,small_airport,seaplane_base;\n"
         "                    also heliport, balloonport). Closed airports are never written.\n"
         "  --airports FILE   airports.csv to read instead of INPUT_DIR/airports.csv\n"
         "  --runways FILE    runways.csv to read instead of INPUT_DIR/runways.csv\n"
         "  --countries FILE  countries.csv to read instead of INPUT_DIR/countries.csv\n"
         "  --encoding NAME   the files are in this encoding, not UTF-8 (e.g. latin1)\n"
         "  --fetch           download the three files first, into\n"
         "                    $XDG_CACHE_HOME/vantrelo/ourairports (~/.cache/...)\n"
         "  --from URL        where --fetch downloads from (default:\n"
         "                    " +
         std::string(kOurAirportsDataUrl) +
         "; file:// works too)\n"
         "  --fetch-time-limit SECONDS\n"
         "                    give up a fetch that takes longer (default: 600)\n"
         "  --fetch-size-limit MB\n"
         "                    give up a file of the fetch that is larger (default: 512)\n"
         "  --order ORDER     first-click (default): the airport a code or city name\n"
         "                    most likely means comes first; ident: sorted by ident\n"
         "  --report          write nothing; print for DATABASE how many airports the\n"
         "                    first search for their ICAO and IATA codes shows, by the\n"
         "                    types in INPUT_DIR/airports.csv, and the misses\n"
         "  --cities FILE     with --report: also search each city of FILE (UTF-8 lines\n"
         "                    \"City|ICAO\", the ICAO code of the airport meant optional)\n"
         "  --quiet           no progress and no summary, only errors\n"
         "  -h, --help        this text\n"
         "  --version         the version\n"
         "\n"
         "Exit status: 0 done, 1 failure (nothing written), 2 wrong usage.\n"
         "\n"
         "Example: vantrelo-import --fetch --types=large_airport,medium_airport airports.txt\n";
}

std::string versionText() {
  return std::string("vantrelo-import ") + common::kProgramVersion + "\n";
}

}  // namespace importer

// SPDX-License-Identifier: MIT
#pragma once

// The command line of vantrelo-import, read the GNU way (getopt_long):
// "--types=LIST" and "--types LIST" alike, options before or after the
// file names.

#include <filesystem>
#include <optional>
#include <string>

#include "airport_order.h"
#include "ourairports_fetch.h"

namespace importer {

struct ImportOptions {
  std::string types;  // empty: the default types
  std::optional<std::filesystem::path> airports;
  std::optional<std::filesystem::path> runways;
  std::optional<std::filesystem::path> countries;
  std::optional<std::filesystem::path> inputDir;
  std::filesystem::path output;
  std::optional<std::string> encoding;  // of the CSV files when not UTF-8
  bool fetch = false;                   // download the files first
  std::string fromUrl;                  // where from, with fetch
  FetchLimits fetchLimits;              // with fetch
  bool quiet = false;
  BlockOrder order = BlockOrder::FirstClick;
  bool report = false;  // measure OUTPUT's first clicks instead of writing it
  std::optional<std::filesystem::path> cities;  // with report
};

enum class OptionsOutcome { Run, Help, Version, UsageError };

struct ParsedOptions {
  OptionsOutcome outcome = OptionsOutcome::Run;
  ImportOptions options;
  std::string error;  // with UsageError
};

// With fetch, inputDir and the three input files are left unset: the caller
// sets the files to those it downloads.
ParsedOptions parseImportOptions(int argc, char** argv);

std::string usageText();
std::string versionText();  // "vantrelo-import 2.0"

}  // namespace importer

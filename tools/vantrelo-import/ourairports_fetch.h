// SPDX-License-Identifier: MIT
#pragma once

// Downloading the three OurAirports files (airports.csv, runways.csv,
// countries.csv) into a cache folder with libcurl. Each file arrives as
// NAME.part and takes its own name only when it came whole, so the folder
// never holds a cut file under a real name.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace importer {

inline constexpr const char* kOurAirportsDataUrl =
    "https://davidmegginson.github.io/ourairports-data/";

// $XDG_CACHE_HOME/vantrelo/ourairports, or ~/.cache/vantrelo/ourairports;
// nothing when neither variable is set.
std::optional<std::filesystem::path> ourAirportsCacheFolder();

// Called while a file downloads: its name, bytes so far, whether it is done.
using FetchProgress = std::function<void(const std::string& name, long long bytes, bool done)>;

// Downloads baseUrl + name for each file into folder (created if need be).
// baseUrl may be http(s):// or file://; a missing "/" at its end is added.
// Returns an error text naming the file and the reason, or nothing.
std::optional<std::string> fetchOurAirports(const std::string& baseUrl,
                                            const std::filesystem::path& folder,
                                            const FetchProgress& progress);

}  // namespace importer

// SPDX-License-Identifier: MIT
#pragma once

// Temporary files that a killed save left behind (a kill between the
// temporary's creation and its rename). Start-up removes them from the
// working folder, taking only what is surely a leftover of ours: a regular
// file named like our temporaries, owned by this user and not touched for
// some minutes, so that a save of another copy running now is never hit.

#include <chrono>
#include <filesystem>

namespace files {

inline constexpr std::chrono::minutes kLeftoverAge{5};

// Removes the leftovers in folder; returns how many. Failures are ignored:
// a leftover that stays does no harm.
int removeLeftoverTemporaries(const std::filesystem::path& folder);

}  // namespace files

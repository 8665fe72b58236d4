// SPDX-License-Identifier: MIT
#pragma once

// Writing a whole file so that a reader sees either the old file or the new
// one, never a part: the bytes go to a temporary file in the same directory,
// which is then renamed over the target.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace files {

// Returns nothing on success, else the system's reason. On failure the
// target is left as it was and no temporary file remains.
std::optional<std::string> writeFileAtomically(const std::filesystem::path& target,
                                               std::string_view bytes);

}  // namespace files

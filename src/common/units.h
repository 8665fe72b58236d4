// SPDX-License-Identifier: MIT
#pragma once

// Unit factors. Distances and data sheets are computed with exactly these
// values, so changing one changes what the program shows and writes.

namespace common {

inline constexpr double kMetresPerFoot = 0.3048;
inline constexpr double kNmPerKm = 0.53996;
// Fifteen significant digits, a hair below the true pi; distances rely on it.
inline constexpr double kPi15 = 3.14159265358979;

}  // namespace common

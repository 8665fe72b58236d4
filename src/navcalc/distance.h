// SPDX-License-Identifier: MIT
#pragma once

// The great-circle distance between the marked points on a sphere of radius
// 6371 km, by the spherical law of cosines with the arccosine taken through
// the arctangent. 45.5 N 9.25 E to 41.8 N 12.25 E is 476.9129 km.

#include <string>
#include <string_view>

#include "common/window_model.h"
#include "navcalc/point_state.h"

namespace navcalc {

inline constexpr int kEarthRadiusKm = 6371;

// Degrees to radians as the calculation does it: (pi * value) / 180, with
// the 15-digit pi.
double degreesToRadians(double degrees);

// The central angle in radians between two points given in radians. The
// cosine of the angle is clamped into [-1, 1], so coinciding points give 0
// and opposite points pi, never a NaN.
double centralAngle(double lat1Rad, double lon1Rad, double lat2Rad, double lon2Rad);

// Kilometres between two points in degrees, rounded to single precision.
float distanceKm(double departureLatDeg, double departureLonDeg, double destinationLatDeg,
                 double destinationLonDeg);

// "LIMC==>LIRF 476.9129 Km. /  257.513891013184 Mn"; the nautical miles are
// computed from the single-precision kilometres.
std::string distanceLine(std::string_view departureIcao, std::string_view destinationIcao,
                         float distanceKm);

// The click on Command3: shows the line in Label18 and clears both points.
void calculateDistance(PointState& state, common::WindowModel& window);

}  // namespace navcalc

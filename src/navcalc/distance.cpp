// SPDX-License-Identifier: MIT
#include "navcalc/distance.h"

#include <algorithm>
#include <cmath>

#include "common/number_rules.h"
#include "common/units.h"

namespace navcalc {

using common::ControlId;

namespace {
constexpr short kDegreesPerHalfTurn = 180;
}  // namespace

double degreesToRadians(double degrees) {
  return (common::kPi15 * degrees) / kDegreesPerHalfTurn;
}

double centralAngle(double lat1Rad, double lon1Rad, double lat2Rad, double lon2Rad) {
  const double deltaLon = lon2Rad - lon1Rad;
  double x = std::sin(lat1Rad) * std::sin(lat2Rad) +
             (std::cos(lat2Rad) * std::cos(lat1Rad)) * std::cos(deltaLon);
  x = std::clamp(x, -1.0, 1.0);
  // arctan(1) is computed here, not taken from the 15-digit pi.
  const double atanOne = std::atan(1.0);
  const double s = std::sqrt(-x * x + 1);
  // At |x| = 1 the quotient is infinite and its arctangent is -x * pi/2.
  const double atanTerm = s == 0 ? -x * 2 * atanOne : std::atan(-x / s);
  return atanTerm + 2 * atanOne;
}

float distanceKm(double departureLatDeg, double departureLonDeg, double destinationLatDeg,
                 double destinationLonDeg) {
  const double angle =
      centralAngle(degreesToRadians(departureLatDeg), degreesToRadians(departureLonDeg),
                   degreesToRadians(destinationLatDeg), degreesToRadians(destinationLonDeg));
  return static_cast<float>(angle * kEarthRadiusKm);
}

std::string distanceLine(std::string_view departureIcao, std::string_view destinationIcao,
                         float km) {
  const double nauticalMiles = static_cast<double>(km) * common::kNmPerKm;
  std::string line(departureIcao);
  line += "==>";
  line += destinationIcao;
  line += common::numberText(km);
  line += " Km. / ";
  line += common::numberText(nauticalMiles);
  line += " Mn";
  return line;
}

void calculateDistance(PointState& state, common::WindowModel& window) {
  window.setVisible(ControlId::Command3, false);
  window.setVisible(ControlId::Label18, true);
  state.distanceKm = distanceKm(state.departureLat, state.departureLon, state.destinationLat,
                                state.destinationLon);
  window.setText(ControlId::Label18,
                 distanceLine(state.departureIcao, state.destinationIcao, state.distanceKm));

  state.currentLat = state.currentLon = 0;
  state.departureLat = state.departureLon = 0;
  state.destinationLat = state.destinationLon = 0;
  state.departureIcao.clear();
  state.destinationIcao.clear();
}

}  // namespace navcalc

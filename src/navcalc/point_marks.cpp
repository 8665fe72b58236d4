// SPDX-License-Identifier: MIT
#include "navcalc/point_marks.h"

namespace navcalc {

using common::ControlId;

namespace {
constexpr std::string_view kMarkDeparture = "SET P";
constexpr std::string_view kMarkDestination = "SET D";
}  // namespace

void offerPointButton(PointState& state, common::WindowModel& window) {
  state.offeredMark = state.departureLat == 0 ? PointMark::Departure : PointMark::Destination;
  window.setVisible(ControlId::Command2, true);
  window.setVisible(ControlId::Label18, false);
  window.setText(
      ControlId::Command2,
      std::string(state.offeredMark == PointMark::Departure ? kMarkDeparture : kMarkDestination));
}

void markPoint(PointState& state, std::string_view shownIcao, common::WindowModel& window) {
  window.setVisible(ControlId::Command2, false);
  if (state.offeredMark == PointMark::Destination) window.setVisible(ControlId::Command3, true);
  if (state.departureLat == 0) state.departureLat = state.currentLat;
  if (state.departureLon == 0) state.departureLon = state.currentLon;
  if (state.departureIcao.empty()) state.departureIcao = shownIcao;
  state.destinationIcao = shownIcao;
  state.destinationLat = state.currentLat;
  state.destinationLon = state.currentLon;
}

}  // namespace navcalc

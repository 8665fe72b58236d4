// SPDX-License-Identifier: MIT
#include "navcalc/point_marks.h"

namespace navcalc {

using common::ControlId;

void markPoint(common::FormState& state, common::WindowModel& window) {
  window.setVisible(ControlId::Command2, false);
  if (window.text(ControlId::Command2) == "SET D") window.setVisible(ControlId::Command3, true);
  if (state.departureLat == 0) state.departureLat = state.currentLat;
  if (state.departureLon == 0) state.departureLon = state.currentLon;
  const std::string& shownIcao = window.text(ControlId::Label2);
  if (state.departureIcao.empty()) state.departureIcao = shownIcao;
  state.destinationIcao = shownIcao;
  state.destinationLat = state.currentLat;
  state.destinationLon = state.currentLon;
}

}  // namespace navcalc

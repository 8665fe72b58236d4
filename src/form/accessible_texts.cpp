// SPDX-License-Identifier: MIT
#include "form/accessible_texts.h"

#include <string_view>

namespace form {
namespace {

using common::ControlId;

std::string labelled(std::string_view lead, std::string_view value) {
  std::string text(lead);
  text += ": ";
  text += value;
  return text;
}

std::string runwayListDescription(const common::WindowModel& window, const AccessibleTexts& texts) {
  std::string text = labelled(texts.runwayList, window.text(ControlId::LabelPista));
  for (ControlId heading : {ControlId::Label7, ControlId::Label8, ControlId::Label9}) {
    text += ", ";
    text += window.text(heading);
  }
  return text;
}

}  // namespace

std::string accessibleDescription(ControlId id, const common::WindowModel& window,
                                  const AccessibleTexts& texts) {
  switch (id) {
    case ControlId::Label14:
      return std::string(texts.resultLine) + " 1";
    case ControlId::Label16:
      return std::string(texts.resultLine) + " 2";
    case ControlId::Label17:
      return std::string(texts.resultLine) + " 3";
    case ControlId::Label4:
      return std::string(texts.airportName);
    case ControlId::Label15:
      return std::string(texts.position);
    case ControlId::Label2:
      return std::string(texts.icaoCode);
    case ControlId::Label12:
      return std::string(texts.elevation);
    case ControlId::Label6:
      return std::string(texts.runwayCount);
    case ControlId::Label5:
      return runwayListDescription(window, texts);
    case ControlId::Label18:
      return std::string(texts.distance);
    case ControlId::Command1:
      return std::string(texts.searchButton);
    case ControlId::Check1:
      return std::string(texts.dataSheetOption);
    case ControlId::Command2:
      return std::string(texts.markButton);
    case ControlId::Command3:
      return std::string(texts.distanceButton);
    default:
      return {};
  }
}

std::string announcement(Action action, const common::WindowModel& window,
                         const AccessibleTexts& texts) {
  switch (action) {
    case Action::Command1:
      return labelled(texts.airportShown,
                      window.text(ControlId::Label4) + ", " + window.text(ControlId::Label2));
    case Action::Command2:
      // Only a mark of the destination offers the distance button.
      return labelled(
          window.visible(ControlId::Command3) ? texts.destinationMarked : texts.departureMarked,
          window.text(ControlId::Label2));
    case Action::Command3:
      return labelled(texts.distance, window.text(ControlId::Label18));
    default:
      return {};
  }
}

}  // namespace form

// SPDX-License-Identifier: MIT
#include "form/accessible_texts.h"

#include <string>
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

void appendColumnHeadings(std::string& text, const common::WindowModel& window) {
  for (ControlId heading :
       {ControlId::LabelPista, ControlId::Label7, ControlId::Label8, ControlId::Label9}) {
    text += heading == ControlId::LabelPista ? ": " : ", ";
    text += window.text(heading);
  }
}

}  // namespace

std::string accessibleDescription(const ControlLayout& control, const common::WindowModel& window,
                                  const AccessibleTexts& texts) {
  const Description& rule = control.description;
  if (rule.lead == nullptr) return {};
  std::string text(texts.*rule.lead);
  if (rule.lineNumber != 0) {
    text += ' ';
    text += std::to_string(rule.lineNumber);
  }
  if (rule.namesColumns) appendColumnHeadings(text, window);
  return text;
}

std::string announcement(Action action, const FormState& state, const common::WindowModel& window,
                         const AccessibleTexts& texts) {
  switch (action) {
    case Action::Command1:
      if (!state.lastSearchFound) return {};
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

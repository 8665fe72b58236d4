// SPDX-License-Identifier: MIT
#include "common/window_model.h"

#include "vantrelo_version.h"

namespace common {
namespace {

struct DesignControl {
  ControlId id;
  std::string_view name;
  std::string_view text;
};

// Names and design-time texts, in ControlId order.
constexpr auto kDesign = std::to_array<DesignControl>({
    {ControlId::Form1, "Form1", ""},  // the title, with the version: see the constructor
    {ControlId::Text1, "Text1", ""},
    {ControlId::Command1, "Command1", "CERCA"},
    {ControlId::Label10, "Label10", "Immettere nome aeroporto o codice ICAO"},
    {ControlId::Check1, "Check1", "CREA FILE DATI AEROPORTO"},
    {ControlId::Command2, "Command2", "SET"},
    {ControlId::Command3, "Command3", "CALC"},
    {ControlId::Label18, "Label18", "Label18"},
    {ControlId::Frame1, "Frame1", ""},
    {ControlId::Label14, "Label14", "Label14"},
    {ControlId::Label16, "Label16", "Label16"},
    {ControlId::Label17, "Label17", "Label17"},
    {ControlId::Label3, "Label3", "AEROPORTO"},
    {ControlId::Label4, "Label4", "aeroporto"},
    {ControlId::Label15, "Label15", "Label15"},
    {ControlId::Label1, "Label1", "ICAO"},
    {ControlId::Label2, "Label2", "icao"},
    {ControlId::Label11, "Label11", "ELEVAZIONE "},
    {ControlId::Label12, "Label12", "Label12"},
    {ControlId::Label6, "Label6", "LabelProva"},
    {ControlId::Label13, "Label13", "Label13"},
    {ControlId::LabelPista, "LabelPista", "PISTA"},
    {ControlId::Label7, "Label7", "Orientamento pista"},
    {ControlId::Label8, "Label8", "Lunghezza pista"},
    {ControlId::Label9, "Label9", "Frequenza ILS"},
    {ControlId::Label5, "Label5", "Numero pista"},
    {ControlId::MenuFile, "MenuFile", "&File"},
    {ControlId::MenuLingua, "MenuLingua", "&Lingua"},
    {ControlId::MenuItaliano, "MenuItaliano", "&Italiano"},
    {ControlId::MenuInglese, "MenuInglese", "&English"},
    {ControlId::Exit, "Exit", "&Exit"},
    {ControlId::MenuHelp, "MenuHelp", "&Help"},
    {ControlId::MenuAbout, "MenuAbout", "&About"},
});

constexpr bool inIdOrder() {
  for (std::size_t i = 0; i < kDesign.size(); ++i) {
    if (kDesign[i].id != static_cast<ControlId>(i)) return false;
  }
  return true;
}

constexpr bool namesDistinct() {
  for (std::size_t i = 0; i < kDesign.size(); ++i) {
    if (kDesign[i].name.empty()) return false;
    for (std::size_t j = 0; j < i; ++j) {
      if (kDesign[i].name == kDesign[j].name) return false;
    }
  }
  return true;
}

static_assert(kDesign.size() == kControlCount, "one entry per control");
static_assert(inIdOrder(), "entries in ControlId order");
static_assert(namesDistinct(), "every control has a name of its own");

}  // namespace

std::string_view controlName(ControlId id) {
  return kDesign[static_cast<std::size_t>(id)].name;
}

std::optional<ControlId> controlFromName(std::string_view name) {
  for (std::size_t i = 0; i < kDesign.size(); ++i) {
    if (kDesign[i].name == name) return static_cast<ControlId>(i);
  }
  return std::nullopt;
}

WindowModel::WindowModel() {
  for (std::size_t i = 0; i < kDesign.size(); ++i)
    m_controls[i].text = kDesign[i].text;
  setText(ControlId::Form1, "Vantrelo                       " + std::string(kVersionMark));
}

void WindowModel::showMessage(std::string_view title, std::string_view text) const {
  if (m_messageHandler) m_messageHandler(title, text);
}

}  // namespace common

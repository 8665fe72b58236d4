// SPDX-License-Identifier: MIT
#include "common/window_model.h"

#include "vantrelo_version.h"

namespace common {
namespace {

struct DesignControl {
  std::string_view name;
  std::string_view text;
};

// Names and design-time texts, in ControlId order.
constexpr std::array<DesignControl, kControlCount> kDesign = {{
    {"Form1", ""},  // the title, with the version: see the constructor
    {"Text1", ""},
    {"Command1", "CERCA"},
    {"Label10", "Immettere nome aeroporto o codice ICAO"},
    {"Check1", "CREA FILE DATI AEROPORTO"},
    {"Command2", "SET"},
    {"Command3", "CALC"},
    {"Label18", "Label18"},
    {"Frame1", ""},
    {"Label14", "Label14"},
    {"Label16", "Label16"},
    {"Label17", "Label17"},
    {"Label3", "AEROPORTO"},
    {"Label4", "aeroporto"},
    {"Label15", "Label15"},
    {"Label1", "ICAO"},
    {"Label2", "icao"},
    {"Label11", "ELEVAZIONE "},
    {"Label12", "Label12"},
    {"Label6", "LabelProva"},
    {"Label13", "Label13"},
    {"LabelPista", "PISTA"},
    {"Label7", "Orientamento pista"},
    {"Label8", "Lunghezza pista"},
    {"Label9", "Frequenza ILS"},
    {"Label5", "Numero pista"},
    {"MenuFile", "&File"},
    {"MenuLingua", "&Lingua"},
    {"MenuItaliano", "&Italiano"},
    {"MenuInglese", "&English"},
    {"Exit", "&Exit"},
    {"MenuHelp", "&Help"},
    {"MenuAbout", "&About"},
}};

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

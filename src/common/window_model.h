// SPDX-License-Identifier: MIT
#pragma once

// The plain window: every control with its caption or text, visible flag and
// text colour, the tick of Check1, and the modal message box. The logic talks
// only to this model; the Qt view and the scenario driver mirror it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace common {

// In the order the driver's dump lists them.
enum class ControlId : std::uint8_t {
  Form1,
  Text1,
  Command1,
  Label10,
  Check1,
  Command2,
  Command3,
  Label18,
  Frame1,
  Label14,
  Label16,
  Label17,
  Label3,
  Label4,
  Label15,
  Label1,
  Label2,
  Label11,
  Label12,
  Label6,
  Label13,
  LabelPista,
  Label7,
  Label8,
  Label9,
  Label5,
  MenuFile,
  MenuLingua,
  MenuItaliano,
  MenuInglese,
  Exit,
  MenuHelp,
  MenuAbout,
};
inline constexpr std::size_t kControlCount = static_cast<std::size_t>(ControlId::MenuAbout) + 1;

std::string_view controlName(ControlId id);
std::optional<ControlId> controlFromName(std::string_view name);

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};
inline constexpr Rgb kPureRed{255, 0, 0};

struct Control {
  std::string text;  // caption, title, or the text of Text1 (Windows-1252)
  bool visible = true;
  std::optional<Rgb> colour;  // set once start-up colours the text
};

class WindowModel {
 public:
  // Shows a modal box with one OK button and returns when it is closed.
  using MessageHandler = std::function<void(std::string_view title, std::string_view text)>;

  WindowModel();  // every control with its design text, all visible

  const Control& control(ControlId id) const { return m_controls[index(id)]; }
  const std::string& text(ControlId id) const { return control(id).text; }
  bool visible(ControlId id) const { return control(id).visible; }

  void setText(ControlId id, std::string text) { m_controls[index(id)].text = std::move(text); }
  void setVisible(ControlId id, bool visible) { m_controls[index(id)].visible = visible; }
  void setColour(ControlId id, Rgb colour) { m_controls[index(id)].colour = colour; }

  bool check1Ticked() const { return m_check1Ticked; }
  void setCheck1Ticked(bool ticked) { m_check1Ticked = ticked; }

  void setMessageHandler(MessageHandler handler) { m_messageHandler = std::move(handler); }
  void showMessage(std::string_view title, std::string_view text) const;

 private:
  static std::size_t index(ControlId id) { return static_cast<std::size_t>(id); }

  std::array<Control, kControlCount> m_controls;
  bool m_check1Ticked = false;
  MessageHandler m_messageHandler;
};

}  // namespace common

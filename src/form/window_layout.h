// SPDX-License-Identifier: MIT
#pragma once

// The fixed layout of Form1, kept apart from Qt: every control's kind,
// position and size in twips, font, alignment and how its text fits.
//
// A twip is 1/1440 inch, so 15 twips make one pixel at 96 DPI. Controls in
// Frame1 are placed relative to the frame's top-left corner. The layout
// never changes at run time: controls are only shown, hidden and
// re-captioned.

#include <array>
#include <cstddef>

#include "common/window_model.h"
#include "form/languages.h"

namespace form {

enum class ControlKind { TextBox, Button, CheckBox, Label, Frame };

// Default is the window's 8.25-point sans font; the bold ones are weight 700.
enum class FontStyle { Default, Bold8, Bold12 };

// Labels draw their text from the top of their box.
enum class TextAlign { Left, Centre, Right };

// A result text from the database may be longer than its box; one that
// keeps to one line is never drawn over the control below.
enum class TextFit { Wraps, OneLine };

struct TwipsRect {
  int leftTwips;
  int topTwips;
  int widthTwips;
  int heightTwips;
};

// What assistive technology is told a control holds beyond the text it
// shows. No lead: the text says it all (a heading, the prompt, the box).
struct Description {
  std::string_view AccessibleTexts::*lead = nullptr;
  int lineNumber = 0;         // a result line's number, said after the lead
  bool namesColumns = false;  // the runway list names the headings above it
};

struct ControlLayout {
  common::ControlId id;
  ControlKind kind;
  bool inFrame1;
  TwipsRect rect;
  FontStyle font;
  TextAlign align;
  TextFit fit;
  Description description;
};

inline constexpr int kClientWidthTwips = 6975;
inline constexpr int kClientHeightTwips = 7665;

// Every control except the window (the first) and the menu items (the last).
inline constexpr std::size_t kLayoutControlCount =
    static_cast<std::size_t>(common::ControlId::MenuFile) - 1;

// The controls laid out, in creation order: Label10 and Label18, Frame1 and
// the labels inside it, then the input controls, so that a button is drawn
// over a label it overlaps (Command2 and Command3 over Label18).
const std::array<ControlLayout, kLayoutControlCount>& controlLayouts();

// The only controls that take the keyboard focus, in tab order.
inline constexpr std::array<common::ControlId, 5> kTabOrder = {
    common::ControlId::Text1, common::ControlId::Command1, common::ControlId::Check1,
    common::ControlId::Command2, common::ControlId::Command3};

// Pixels for a twips coordinate at the given dots per inch, rounded to the
// nearest pixel: 360 twips are 24 pixels at 96 DPI and 36 at 144 DPI.
int twipsToPixels(int twips, double dotsPerInch);

struct PixelRect {
  int x;
  int y;
  int width;
  int height;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Converts the two edges rather than the size, so that controls that touch
// in twips still touch in pixels at any DPI.
PixelRect toPixels(const TwipsRect& rect, double dpiX, double dpiY);

}  // namespace form

// SPDX-License-Identifier: MIT
#include "form/window_layout.h"

#include <cmath>

namespace form {

using common::ControlId;

const std::array<ControlLayout, kLayoutControlCount>& controlLayouts() {
  using enum ControlKind;
  using enum FontStyle;
  using enum TextAlign;
  constexpr bool kWindow = false;
  constexpr bool kFrame = true;
  // clang-format off
  static const std::array<ControlLayout, kLayoutControlCount> layouts = {{
      {ControlId::Label10, Label, kWindow, {360, 480, 2535, 375}, Default, Left},
      {ControlId::Label18, Label, kWindow, {840, 720, 6015, 375}, Bold8, Centre},
      {ControlId::Frame1, Frame, kWindow, {0, 960, 6975, 6615}, Default, Left},
      {ControlId::Label14, Label, kFrame, {120, 240, 6735, 255}, Bold12, Centre},
      {ControlId::Label16, Label, kFrame, {120, 720, 6735, 495}, Bold12, Centre},
      {ControlId::Label17, Label, kFrame, {120, 1200, 6735, 495}, Bold12, Centre},
      {ControlId::Label3, Label, kFrame, {120, 2040, 1215, 255}, Bold8, Left},
      {ControlId::Label4, Label, kFrame, {1320, 2040, 5535, 375}, Default, Left},
      {ControlId::Label15, Label, kFrame, {120, 2280, 6735, 255}, Default, Centre},
      {ControlId::Label1, Label, kFrame, {120, 2640, 495, 255}, Bold8, Left},
      {ControlId::Label2, Label, kFrame, {1440, 2640, 495, 255}, Default, Left},
      {ControlId::Label11, Label, kFrame, {120, 2880, 1215, 255}, Bold8, Left},
      {ControlId::Label12, Label, kFrame, {1440, 2880, 5295, 255}, Default, Left},
      {ControlId::Label6, Label, kFrame, {120, 3240, 375, 255}, Default, Right},
      {ControlId::Label13, Label, kFrame, {600, 3240, 615, 255}, Default, Left},
      {ControlId::LabelPista, Label, kFrame, {120, 3600, 975, 255}, Bold8, Left},
      {ControlId::Label7, Label, kFrame, {1200, 3600, 1695, 255}, Bold8, Left},
      {ControlId::Label8, Label, kFrame, {3120, 3600, 1455, 255}, Bold8, Left},
      {ControlId::Label9, Label, kFrame, {4920, 3600, 1455, 255}, Bold8, Left},
      {ControlId::Label5, Label, kFrame, {240, 3960, 6375, 2415}, Default, Left},
      {ControlId::Text1, TextBox, kWindow, {360, 120, 2775, 285}, Default, Left},
      {ControlId::Command1, Button, kWindow, {3240, 0, 855, 495}, Default, Centre},
      {ControlId::Check1, CheckBox, kWindow, {4200, 120, 2775, 375}, Default, Left},
      {ControlId::Command2, Button, kWindow, {3240, 600, 855, 375}, Default, Centre},
      {ControlId::Command3, Button, kWindow, {4200, 600, 735, 375}, Default, Centre},
  }};
  // clang-format on
  return layouts;
}

int twipsToPixels(int twips, double dotsPerInch) {
  return static_cast<int>(std::lround(static_cast<double>(twips) * dotsPerInch / 1440.0));
}

PixelRect toPixels(const TwipsRect& rect, double dpiX, double dpiY) {
  const int left = twipsToPixels(rect.leftTwips, dpiX);
  const int top = twipsToPixels(rect.topTwips, dpiY);
  const int right = twipsToPixels(rect.leftTwips + rect.widthTwips, dpiX);
  const int bottom = twipsToPixels(rect.topTwips + rect.heightTwips, dpiY);
  return {left, top, right - left, bottom - top};
}

}  // namespace form

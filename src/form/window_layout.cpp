// SPDX-License-Identifier: MIT
#include "form/window_layout.h"

#include <cmath>

namespace form {

using common::ControlId;

namespace {

using enum ControlKind;
using enum FontStyle;
using enum TextAlign;
using enum TextFit;
constexpr bool kWindow = false;
constexpr bool kFrame = true;
using AT = AccessibleTexts;

// clang-format off
constexpr auto kLayouts = std::to_array<ControlLayout>({
    {ControlId::Label10, Label, kWindow, {360, 480, 2535, 375}, Default, Left, Wraps, {}},
    {ControlId::Label18, Label, kWindow, {840, 720, 6015, 375}, Bold8, Centre, OneLine, {&AT::distance}},
    {ControlId::Frame1, Frame, kWindow, {0, 960, 6975, 6615}, Default, Left, Wraps, {}},
    {ControlId::Label14, Label, kFrame, {120, 240, 6735, 255}, Bold12, Centre, OneLine, {&AT::resultLine, 1}},
    {ControlId::Label16, Label, kFrame, {120, 720, 6735, 495}, Bold12, Centre, OneLine, {&AT::resultLine, 2}},
    {ControlId::Label17, Label, kFrame, {120, 1200, 6735, 495}, Bold12, Centre, OneLine, {&AT::resultLine, 3}},
    {ControlId::Label3, Label, kFrame, {120, 2040, 1215, 255}, Bold8, Left, Wraps, {}},
    {ControlId::Label4, Label, kFrame, {1320, 2040, 5535, 375}, Default, Left, OneLine, {&AT::airportName}},
    {ControlId::Label15, Label, kFrame, {120, 2280, 6735, 255}, Default, Centre, OneLine, {&AT::position}},
    {ControlId::Label1, Label, kFrame, {120, 2640, 495, 255}, Bold8, Left, Wraps, {}},
    {ControlId::Label2, Label, kFrame, {1440, 2640, 495, 255}, Default, Left, OneLine, {&AT::icaoCode}},
    {ControlId::Label11, Label, kFrame, {120, 2880, 1215, 255}, Bold8, Left, Wraps, {}},
    {ControlId::Label12, Label, kFrame, {1440, 2880, 5295, 255}, Default, Left, OneLine, {&AT::elevation}},
    {ControlId::Label6, Label, kFrame, {120, 3240, 375, 255}, Default, Right, Wraps, {&AT::runwayCount}},
    {ControlId::Label13, Label, kFrame, {600, 3240, 615, 255}, Default, Left, Wraps, {}},
    {ControlId::LabelPista, Label, kFrame, {120, 3600, 975, 255}, Bold8, Left, Wraps, {}},
    {ControlId::Label7, Label, kFrame, {1200, 3600, 1695, 255}, Bold8, Left, Wraps, {}},
    {ControlId::Label8, Label, kFrame, {3120, 3600, 1455, 255}, Bold8, Left, Wraps, {}},
    {ControlId::Label9, Label, kFrame, {4920, 3600, 1455, 255}, Bold8, Left, Wraps, {}},
    {ControlId::Label5, Label, kFrame, {240, 3960, 6375, 2415}, Default, Left, Wraps, {&AT::runwayList, 0, true}},
    {ControlId::Text1, TextBox, kWindow, {360, 120, 2775, 285}, Default, Left, Wraps, {}},
    {ControlId::Command1, Button, kWindow, {3240, 0, 855, 495}, Default, Centre, Wraps, {&AT::searchButton}},
    {ControlId::Check1, CheckBox, kWindow, {4200, 120, 2775, 375}, Default, Left, Wraps, {&AT::dataSheetOption}},
    {ControlId::Command2, Button, kWindow, {3240, 600, 855, 375}, Default, Centre, Wraps, {&AT::markButton}},
    {ControlId::Command3, Button, kWindow, {4200, 600, 735, 375}, Default, Centre, Wraps, {&AT::distanceButton}},
});
// clang-format on

constexpr bool eachControlOnce() {
  for (std::size_t i = 0; i < kLayouts.size(); ++i) {
    const ControlId id = kLayouts[i].id;
    if (id == ControlId::Form1 || id >= ControlId::MenuFile) return false;
    for (std::size_t j = 0; j < i; ++j) {
      if (kLayouts[j].id == id) return false;
    }
  }
  return true;
}

static_assert(kLayouts.size() == kLayoutControlCount, "every control but the window and menus");
static_assert(eachControlOnce(), "each control laid out once");

// A screen reader says what a button or the check box does, not only its caption.
constexpr bool inputControlsDescribed() {
  for (const ControlLayout& entry : kLayouts) {
    const bool input = entry.kind == Button || entry.kind == CheckBox;
    if (input && entry.description.lead == nullptr) return false;
  }
  return true;
}
static_assert(inputControlsDescribed(), "every button and check box described");

}  // namespace

const std::array<ControlLayout, kLayoutControlCount>& controlLayouts() {
  return kLayouts;
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

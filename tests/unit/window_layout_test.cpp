// SPDX-License-Identifier: MIT
#include "form/window_layout.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace form {
namespace {

using common::ControlId;

// The rectangle the window is built with.
TwipsRect rectOf(ControlId id) {
  const auto& layouts = controlLayouts();
  const auto* entry = std::find_if(layouts.begin(), layouts.end(),
                                   [id](const ControlLayout& layout) { return layout.id == id; });
  EXPECT_NE(entry, layouts.end()) << common::controlName(id);
  return entry == layouts.end() ? TwipsRect{} : entry->rect;
}

TEST(WindowLayout, TwipsScaleWithTheScreenDpi) {
  const TwipsRect text1{360, 120, 2775, 285};
  EXPECT_EQ(toPixels(text1, 96, 96), (PixelRect{24, 8, 185, 19}));
  EXPECT_EQ(toPixels(text1, 144, 144), (PixelRect{36, 12, 278, 29}));
  EXPECT_EQ(toPixels(text1, 120, 96), (PixelRect{30, 8, 231, 19}));
}

TEST(WindowLayout, FrameAndSearchRowKeepTheirPlaceAtAnyDpi) {
  // Frame1 spans the client area's full width, its bottom edge stays inside
  // the client area, and Text1 still ends before Command1.
  const TwipsRect client{0, 0, kClientWidthTwips, kClientHeightTwips};
  const TwipsRect frame1 = rectOf(ControlId::Frame1);
  const TwipsRect text1 = rectOf(ControlId::Text1);
  const TwipsRect command1 = rectOf(ControlId::Command1);
  for (const double dpi : {72.0, 96.0, 110.0, 120.0, 144.0, 192.0}) {
    SCOPED_TRACE(dpi);
    const PixelRect area = toPixels(client, dpi, dpi);
    const PixelRect frame = toPixels(frame1, dpi, dpi);
    EXPECT_EQ(frame.width, area.width);
    EXPECT_LE(frame.y + frame.height, area.height);
    const PixelRect edit = toPixels(text1, dpi, dpi);
    EXPECT_LE(edit.x + edit.width, toPixels(command1, dpi, dpi).x);
  }
}

}  // namespace
}  // namespace form

// SPDX-License-Identifier: MIT
#pragma once

// The form's font. Every caption of both languages and the result texts of
// the bundled airports fit their boxes in Liberation Sans Narrow (Debian's
// fonts-liberation): it is asked for by name and as a condensed face, with
// the system's sans font, condensed where it has one, as the fallback.

#include <QFont>

#include "form/window_layout.h"

namespace ui {

inline constexpr const char* kFormFontFamily = "Liberation Sans Narrow";
inline constexpr int kFormFontStretch = QFont::Condensed;

// 8.25 point regular, 8.25 point bold or 12 point bold.
QFont formFont(form::FontStyle style);

}  // namespace ui

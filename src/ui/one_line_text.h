// SPDX-License-Identifier: MIT
#pragma once

// Result texts come from the database and may be longer than their box. A
// second line would be drawn over the control below, so they stay on one
// line: a text a little too wide is drawn up to a tenth narrower; one wider
// still is cut short with "…" and shown whole in the label's tooltip.

#include <QString>

#include "common/window_model.h"

class QLabel;

namespace ui {

bool keepsOneLine(common::ControlId id);

void showOnOneLine(QLabel& label, const QString& text);

}  // namespace ui

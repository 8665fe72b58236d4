// SPDX-License-Identifier: MIT
#pragma once

// The user's Vantrelo folder and its copy of the bundled database.

#include <QString>

namespace ui {

// Makes folder when it is missing and gives it a copy of bundledDatabase as
// airports.txt when it has none. An airports.txt that is byte for byte a
// database bundled with an earlier release is replaced by the current one;
// any other (the user's own, or one they changed) is never touched.
// Returns why this failed, or an empty text.
QString prepareUserFolder(const QString& folder, const QString& bundledDatabase);

}  // namespace ui

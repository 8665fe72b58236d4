// SPDX-License-Identifier: MIT
#pragma once

// The edge between the model's Windows-1252 texts and Qt's Unicode ones.

#include <QString>
#include <string>
#include <string_view>

namespace ui {

QString fromCp1252(std::string_view text);
std::string toCp1252(const QString& text);

}  // namespace ui

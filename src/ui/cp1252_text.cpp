// SPDX-License-Identifier: MIT
#include "ui/cp1252_text.h"

#include <QByteArray>

#include "common/text1252.h"

namespace ui {

QString fromCp1252(std::string_view text) {
  return QString::fromStdString(common::cp1252ToUtf8(text));
}

std::string toCp1252(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return common::utf8ToCp1252(
      std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

}  // namespace ui

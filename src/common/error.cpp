// SPDX-License-Identifier: MIT
#include "common/error.h"

#include <locale.h>  // NOLINT(modernize-deprecated-headers): newlocale is POSIX, not in <clocale>

#include <cstring>
#include <memory>
#include <type_traits>

#include "common/text1252.h"

namespace common {
namespace {

struct LocaleFree {
  void operator()(locale_t locale) const { freelocale(locale); }
};
using Locale = std::unique_ptr<std::remove_pointer_t<locale_t>, LocaleFree>;

// The messages' part of a locale, the reasons' language, with its
// character set: without it the C library would give Italian as ASCII,
// "?" for each accented letter.
Locale messagesOf(const char* localeName) {
  return Locale(newlocale(LC_MESSAGES_MASK | LC_CTYPE_MASK, localeName, nullptr));
}

std::string reasonIn(int errorNumber, const Locale& locale) {
  return utf8ToCp1252(strerror_l(errorNumber, locale.get()));
}

}  // namespace

// The C locale's messages are the untranslated, English ones.
std::string systemReason(int errorNumber) {
  static const Locale english = messagesOf("C");
  return reasonIn(errorNumber, english);
}

std::optional<std::string> systemReasonIn(int errorNumber, const char* localeName) {
  const Locale locale = messagesOf(localeName);
  if (!locale) return std::nullopt;
  std::string reason = reasonIn(errorNumber, locale);
  if (reason == systemReason(errorNumber)) return std::nullopt;  // not translated
  return reason;
}

Error systemError(int errorNumber) {
  return Error{systemReason(errorNumber), errorNumber};
}

}  // namespace common

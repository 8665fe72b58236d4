// SPDX-License-Identifier: MIT
#pragma once

// How the core reports a failure: an Error holding the reason to show the
// user. An action that can only fail returns std::optional<Error> (nothing
// on success); one that yields a value returns Expected<T>, the value or the
// Error.

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace common {

struct Error {
  // Windows-1252: the system's reason in English ("No such file or
  // directory"), or the program's own words. The command-line tools, which
  // speak UTF-8, keep theirs in UTF-8 (English reasons are ASCII).
  std::string reason;
  // The system's error number the reason is for, so that it can be told
  // in another language; 0 for the program's own words.
  int errorNumber = 0;

  friend bool operator==(const Error&, const Error&) = default;
};

// Reasons the program gives where the system has none, phrased like the
// system's (in English: a message holding one is wholly English).
inline constexpr const char* kNotRegularFile = "Not a regular file";
inline constexpr const char* kLinkOfAnotherUser = "Is a link owned by another user";

// The system's reason for an error number in English, whatever the locale,
// in Windows-1252 like every text of the program.
std::string systemReason(int errorNumber);

// The system's reason in the messages of a locale ("it_IT.UTF-8"), or
// nothing where the system lacks that locale or has no translation of the
// reason into its language.
std::optional<std::string> systemReasonIn(int errorNumber, const char* localeName);

// The Error for a system error number (errno).
Error systemError(int errorNumber);

template <typename T>
class Expected {
 public:
  Expected(T value) : m_content(std::move(value)) {}      // NOLINT(google-explicit-constructor)
  Expected(Error error) : m_content(std::move(error)) {}  // NOLINT(google-explicit-constructor)

  bool hasValue() const { return std::holds_alternative<T>(m_content); }
  explicit operator bool() const { return hasValue(); }
  const T& operator*() const { return std::get<T>(m_content); }
  const T* operator->() const { return &std::get<T>(m_content); }
  T& operator*() { return std::get<T>(m_content); }
  T* operator->() { return &std::get<T>(m_content); }
  const Error& error() const { return std::get<Error>(m_content); }

 private:
  std::variant<T, Error> m_content;
};

}  // namespace common

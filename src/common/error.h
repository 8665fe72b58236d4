// SPDX-License-Identifier: MIT
#pragma once

// How the core reports a failure: an Error holding the reason to show the
// user. An action that can only fail returns std::optional<Error> (nothing
// on success); one that yields a value returns Expected<T>, the value or the
// Error.

#include <string>
#include <utility>
#include <variant>

namespace common {

struct Error {
  std::string reason;  // Windows-1252, usually the system's: "No such file or directory"

  friend bool operator==(const Error&, const Error&) = default;
};

// Reasons the program gives where the system has none, phrased like the
// system's.
inline constexpr const char* kNotRegularFile = "Not a regular file";
inline constexpr const char* kLinkOfAnotherUser = "Is a link owned by another user";

// The system's reason for an error number, in Windows-1252 like every text
// of the program (the C library gives it in the locale's UTF-8).
std::string systemReason(int errorNumber);

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
  const Error& error() const { return std::get<Error>(m_content); }

 private:
  std::variant<T, Error> m_content;
};

}  // namespace common

// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <utility>

#include "common/error.h"

// The value a reading gave, or an empty one with the test failed by the
// reason, for readings a test cannot go on without.
template <typename T>
T valueOrFailure(common::Expected<T> result) {
  if (result) return std::move(*result);
  ADD_FAILURE() << result.error().reason;
  return T{};
}

// SPDX-License-Identifier: MIT
// Runs the unit tests in the locale of the environment, so that a run under
// LC_ALL=it_IT.UTF-8 proves no number text or parse depends on it.

#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <stdexcept>

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  try {
    std::locale::global(std::locale(""));
  } catch (const std::runtime_error&) {
    // An unknown locale name: the C locale stays.
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

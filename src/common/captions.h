// SPDX-License-Identifier: MIT
#pragma once

// The interface texts of the current language that the form's labels and
// the data sheet share.

#include <string>

namespace common {

// Empty until a language is applied.
struct Captions {
  std::string search;
  std::string airport;
  std::string elevation;
  std::string runway;
  std::string runwayOrientation;
  std::string runwayLength;
  std::string ilsFrequency;
  std::string runways;
  std::string prompt;
};

}  // namespace common

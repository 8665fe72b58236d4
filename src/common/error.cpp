// SPDX-License-Identifier: MIT
#include "common/error.h"

#include <cstring>

#include "common/text1252.h"

namespace common {

std::string systemReason(int errorNumber) {
  return utf8ToCp1252(std::strerror(errorNumber));
}

Error systemError(int errorNumber) {
  return Error{systemReason(errorNumber)};
}

}  // namespace common

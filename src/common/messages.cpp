// SPDX-License-Identifier: MIT
#include "common/messages.h"

#include <cstring>

#include "common/text1252.h"

namespace common {

std::string systemReason(int errorNumber) {
  return utf8ToCp1252(std::strerror(errorNumber));
}

}  // namespace common

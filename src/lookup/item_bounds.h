// SPDX-License-Identifier: MIT
#pragma once

// Finding where items end in the read buffer: the comma, CR or LF on either
// side of a hit, and the end of the item being read.

namespace lookup {

// The first byte in [first, last) that ends an item, or last.
const char* findItemEnd(const char* first, const char* last);

// The last byte in [first, last) that ends an item, or nullptr. An empty or
// reversed range gives nullptr.
const char* findLastItemEnd(const char* first, const char* last);

}  // namespace lookup

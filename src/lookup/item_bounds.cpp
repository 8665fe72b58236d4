// SPDX-License-Identifier: MIT
#include "lookup/item_bounds.h"

#include <bit>

#include "lookup/database_format.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lookup {
namespace {

#if defined(__SSE2__)

// A bit for each of the 16 bytes at p that ends an item.
unsigned itemEndMask16(const char* p) {
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i ends = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(',')),
                                                 _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r'))),
                                    _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n')));
  return static_cast<unsigned>(_mm_movemask_epi8(ends));
}

#endif

}  // namespace

const char* findItemEnd(const char* first, const char* last) {
#if defined(__SSE2__)
  for (; last - first >= 16; first += 16) {
    const unsigned mask = itemEndMask16(first);
    if (mask != 0) return first + std::countr_zero(mask);
  }
#endif
  for (; first != last; ++first) {
    if (format::isItemEnd(*first)) return first;
  }
  return last;
}

const char* findLastItemEnd(const char* first, const char* last) {
  while (last > first) {
    --last;
    if (format::isItemEnd(*last)) return last;
  }
  return nullptr;
}

}  // namespace lookup

// SPDX-License-Identifier: MIT
#include "lookup/needle_finder.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define VANTRELO_HAVE_AVX2_KERNEL 1
#endif

namespace lookup {
namespace {

// The bytes of an airport database from the most to the least common, as
// counted in the bundled data/airports.txt (5,210 airports): "|" and digits
// fill the coordinate and runway fields, upper-case letters the names and
// codes. All other bytes together make up less than 0.4% of that file and
// rank below these. Only the order matters: it picks the filter's two bytes,
// never what is found.
constexpr std::string_view kBytesMostCommonFirst = "|01AR2I\n\r 39854ONTE67SLPUDCMBGHK-YFVZWJXQ";

// How common each byte is, higher is more common; 0 for the unlisted.
constexpr std::array<std::uint8_t, 256> kByteCommonness = [] {
  std::array<std::uint8_t, 256> commonness{};
  auto next = static_cast<std::uint8_t>(kBytesMostCommonFirst.size());
  for (const char c : kBytesMostCommonFirst)
    commonness[static_cast<unsigned char>(c)] = next--;
  return commonness;
}();

std::uint8_t commonnessOf(char c) {
  return kByteCommonness[static_cast<unsigned char>(c)];
}

// The first byte in [first, last) that does not end an item, or last.
const char* findItemStart(const char* first, const char* last) {
  while (first != last && format::isItemEnd(*first))
    ++first;
  return first;
}

#if defined(__SSE2__)

__m128i load16(const char* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// 0xFF for each of the positions k..k+15 whose two filter bytes both match.
__m128i pairHits16(const char* k, std::size_t offset1, std::size_t offset2, __m128i byte1,
                   __m128i byte2) {
  return _mm_and_si128(_mm_cmpeq_epi8(load16(k + offset1), byte1),
                       _mm_cmpeq_epi8(load16(k + offset2), byte2));
}

std::uint64_t bits16(__m128i hits) {
  return static_cast<std::uint32_t>(_mm_movemask_epi8(hits));
}

#endif

#if defined(VANTRELO_HAVE_AVX2_KERNEL)

__attribute__((target("avx2"))) __m256i pairHits32(const char* k, std::size_t offset1,
                                                   std::size_t offset2, __m256i byte1,
                                                   __m256i byte2) {
  const __m256i bytes1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(k + offset1));
  const __m256i bytes2 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(k + offset2));
  return _mm256_and_si256(_mm256_cmpeq_epi8(bytes1, byte1), _mm256_cmpeq_epi8(bytes2, byte2));
}

__attribute__((target("avx2"))) std::uint64_t bits32(__m256i hits) {
  return static_cast<std::uint32_t>(_mm256_movemask_epi8(hits));
}

#endif

}  // namespace

FinderLevel bestFinderLevel() {
#if defined(VANTRELO_HAVE_AVX2_KERNEL)
  static const bool hasAvx2 = __builtin_cpu_supports("avx2") != 0;
  if (hasAvx2) return FinderLevel::Avx2;
#endif
#if defined(__SSE2__)
  return FinderLevel::Sse2;
#else
  return FinderLevel::Portable;
#endif
}

NeedleFinder::NeedleFinder(std::string_view needle, FinderLevel level)
    : m_needle(needle), m_level(level) {
  // Never more than the processor runs.
  if (m_level == FinderLevel::Avx2 && bestFinderLevel() != FinderLevel::Avx2)
    m_level = FinderLevel::Sse2;
#if !defined(__SSE2__)
  m_level = FinderLevel::Portable;
#endif
  for (std::size_t i = 0; i < needle.size(); ++i) {
    if (format::isItemEnd(needle[i])) m_holdsItemEnd = true;
    if (commonnessOf(needle[i]) < commonnessOf(needle[m_rareOffset1])) m_rareOffset1 = i;
  }
  // The second byte: the rarest of the others, a different byte if there is one.
  bool found = false;
  for (std::size_t i = 0; i < needle.size(); ++i) {
    if (i == m_rareOffset1) continue;
    const bool differs = needle[i] != needle[m_rareOffset1];
    const bool bestDiffers = found && needle[m_rareOffset2] != needle[m_rareOffset1];
    if (!found || (differs && !bestDiffers) ||
        (differs == bestDiffers && commonnessOf(needle[i]) < commonnessOf(needle[m_rareOffset2]))) {
      m_rareOffset2 = i;
      found = true;
    }
  }
  if (!found) m_rareOffset2 = m_rareOffset1;
}

bool NeedleFinder::matchesAt(const char* candidate) const {
  return std::memcmp(candidate, m_needle.data(), m_needle.size()) == 0;
}

const char* NeedleFinder::find(const char* first, const char* last) const {
  if (m_needle.empty()) return findItemStart(first, last);
  if (first >= last || static_cast<std::size_t>(last - first) < m_needle.size()) return last;
  // Candidates are the positions from first to lastStart, both included.
  const char* const lastStart = last - m_needle.size();
  const char* found = nullptr;
  switch (m_level) {
    case FinderLevel::Avx2:
      found = findAvx2(first, lastStart);
      break;
    case FinderLevel::Sse2:
      found = findSse2(first, lastStart);
      break;
    case FinderLevel::Portable:
      found = findPortable(first, lastStart);
      break;
  }
  return found != nullptr ? found : last;
}

const char* NeedleFinder::findPortable(const char* first, const char* lastStart) const {
  const char rare1 = m_needle[m_rareOffset1];
  const char rare2 = m_needle[m_rareOffset2];
  const char* k = first;
  while (k <= lastStart) {
    const auto span = static_cast<std::size_t>(lastStart - k) + 1;
    const void* hit = std::memchr(k + m_rareOffset1, rare1, span);
    if (hit == nullptr) return nullptr;
    k = static_cast<const char*>(hit) - m_rareOffset1;
    if (k[m_rareOffset2] == rare2 && matchesAt(k)) return k;
    ++k;
  }
  return nullptr;
}

const char* NeedleFinder::firstMatch(const char* k, std::uint64_t candidates) const {
  for (; candidates != 0; candidates &= candidates - 1) {
    const char* candidate = k + std::countr_zero(candidates);
    if (matchesAt(candidate)) return candidate;
  }
  return nullptr;
}

// The vector filters test a run of positions at once and compare the
// candidates of a run in order, so the first match in the run is found. A
// run reads up to its last position plus the text's length less one: at most
// the last byte of the data.
const char* NeedleFinder::findSse2(const char* first, const char* lastStart) const {
#if defined(__SSE2__)
  const std::size_t offset1 = m_rareOffset1;
  const std::size_t offset2 = m_rareOffset2;
  const __m128i byte1 = _mm_set1_epi8(m_needle[offset1]);
  const __m128i byte2 = _mm_set1_epi8(m_needle[offset2]);
  const char* k = first;
  while (lastStart - k >= 63) {
    const __m128i hits0 = pairHits16(k, offset1, offset2, byte1, byte2);
    const __m128i hits1 = pairHits16(k + 16, offset1, offset2, byte1, byte2);
    const __m128i hits2 = pairHits16(k + 32, offset1, offset2, byte1, byte2);
    const __m128i hits3 = pairHits16(k + 48, offset1, offset2, byte1, byte2);
    const __m128i any = _mm_or_si128(_mm_or_si128(hits0, hits1), _mm_or_si128(hits2, hits3));
    if (_mm_movemask_epi8(any) != 0) {
      const std::uint64_t candidates =
          bits16(hits0) | bits16(hits1) << 16 | bits16(hits2) << 32 | bits16(hits3) << 48;
      if (const char* found = firstMatch(k, candidates)) return found;
    }
    k += 64;
  }
  while (lastStart - k >= 15) {
    if (const char* found = firstMatch(k, bits16(pairHits16(k, offset1, offset2, byte1, byte2)))) {
      return found;
    }
    k += 16;
  }
  return findPortable(k, lastStart);
#else
  return findPortable(first, lastStart);
#endif
}

#if defined(VANTRELO_HAVE_AVX2_KERNEL)
__attribute__((target("avx2")))
#endif
const char*
NeedleFinder::findAvx2(const char* first, const char* lastStart) const {
#if defined(VANTRELO_HAVE_AVX2_KERNEL)
  const std::size_t offset1 = m_rareOffset1;
  const std::size_t offset2 = m_rareOffset2;
  const __m256i byte1 = _mm256_set1_epi8(m_needle[offset1]);
  const __m256i byte2 = _mm256_set1_epi8(m_needle[offset2]);
  const char* k = first;
  while (lastStart - k >= 127) {
    const __m256i hits0 = pairHits32(k, offset1, offset2, byte1, byte2);
    const __m256i hits1 = pairHits32(k + 32, offset1, offset2, byte1, byte2);
    const __m256i hits2 = pairHits32(k + 64, offset1, offset2, byte1, byte2);
    const __m256i hits3 = pairHits32(k + 96, offset1, offset2, byte1, byte2);
    const __m256i any =
        _mm256_or_si256(_mm256_or_si256(hits0, hits1), _mm256_or_si256(hits2, hits3));
    if (_mm256_testz_si256(any, any) == 0) {
      if (const char* found = firstMatch(k, bits32(hits0) | bits32(hits1) << 32)) return found;
      if (const char* found = firstMatch(k + 64, bits32(hits2) | bits32(hits3) << 32)) {
        return found;
      }
    }
    k += 128;
  }
  while (lastStart - k >= 31) {
    if (const char* found = firstMatch(k, bits32(pairHits32(k, offset1, offset2, byte1, byte2)))) {
      return found;
    }
    k += 32;
  }
  return findSse2(k, lastStart);
#else
  return findSse2(first, lastStart);
#endif
}

}  // namespace lookup

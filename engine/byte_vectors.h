// Sixteen bytes judged at a time against a stretch of byte values, for the
// byte map and the reversal of runs. A stretch is kept as sixteen copies of
// its first value and of its width, as a vector loads them.
#pragma once

#if defined(__SSE2__)
#include <emmintrin.h>

#include <array>
#include <cstdint>

namespace quorvandel {

inline __m128i Load_copies(const std::array<std::uint8_t, 16>& copies) {
  return _mm_load_si128(reinterpret_cast<const __m128i*>(copies.data()));
}

// All ones in each byte of `chunk` that lies from `first` to `first` plus
// `width`: its difference from `first`, modulo 256, is at most `width`.
inline __m128i Within(__m128i chunk, __m128i first, __m128i width) {
  const __m128i offset = _mm_sub_epi8(chunk, first);
  return _mm_cmpeq_epi8(_mm_min_epu8(offset, width), offset);
}

}  // namespace quorvandel
#endif

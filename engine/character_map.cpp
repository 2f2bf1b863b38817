#include "engine/character_map.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <cstring>

#include "engine/char_sets.h"
#include "engine/line_reversal.h"

namespace quorvandel {

void Force_letter_case(Text& line, int english_letter_case) {
  if (english_letter_case == case_upper) {
    for (Unit& c : line) {
      if (c >= 'a' && c <= 'z') c -= 'a' - 'A';
    }
  } else if (english_letter_case == case_lower) {
    for (Unit& c : line) {
      if (c >= 'A' && c <= 'Z') c += 'a' - 'A';
    }
  }
}

Character_map::Character_map(const TPrefs& settings) {
  // Run every byte through the steps themselves, as one line of 256 units.
  Text bytes(256, 0);
  for (Unit b = 0; b <= last_byte_unit; ++b) bytes[b] = b;

  const int source_set = settings.source_props->source_char_set;
  const int dest_set = settings.dest_props->destination_char_set;
  if (source_set != dest_set) {
    const Letter_table letters(source_set, dest_set, *settings.qwerty);
    for (Unit& ch : bytes) ch = letters(ch);
  }
  Force_letter_case(bytes, settings.dest_props->english_letter_case);
  const TOptConversion& c = *settings.conversion;
  // The bidirectional algorithm mirrors brackets itself.
  if (c.reordering_method != reorder_bidi) {
    Flip_parentheses(bytes, c.flip_parentheses, c.flip_brackets, c.flip_curly_parentheses, c.flip_angled_parentheses);
  }
  for (Unit b = 0; b <= last_byte_unit; ++b) {
    map_[b] = bytes[b];
    byte_map_[b] = static_cast<char>(static_cast<unsigned char>(bytes[b]));
    identity_ = identity_ && bytes[b] == b;
    keeps_bytes_ = keeps_bytes_ && Is_byte(bytes[b]);
  }
  for (unsigned b = 0; b <= last_byte_unit && shift_count_ <= most_shifts; ++b) {
    const auto amount = static_cast<std::uint8_t>(byte_map_[b] - static_cast<char>(b));
    if (amount == 0) continue;
    Shift* const last = shift_count_ > 0 ? &shifts_[static_cast<std::size_t>(shift_count_ - 1)] : nullptr;
    if (last && last->amount[0] == amount && last->first[0] + last->width[0] + 1U == b) {
      last->width.fill(static_cast<std::uint8_t>(last->width[0] + 1));
    } else if (shift_count_++ < most_shifts) {
      Shift& shift = shifts_[static_cast<std::size_t>(shift_count_ - 1)];
      shift.first.fill(static_cast<std::uint8_t>(b));
      shift.width.fill(0);
      shift.amount.fill(amount);
    }
  }
}

void Character_map::Apply_to_bytes(char* bytes, std::size_t count) const {
  std::size_t i = 0;
#if defined(__SSE2__)
  if (shift_count_ <= most_shifts) {
    // A byte b of a shift's stretch differs from its first byte, modulo 256,
    // by at most the width; it takes the shift's amount, which is added.
    const auto shifted = [this](__m128i chunk) {
      __m128i amounts = _mm_setzero_si128();
      for (int s = 0; s < shift_count_; ++s) {
        const Shift& shift = shifts_[static_cast<std::size_t>(s)];
        const auto vector = [](const std::array<std::uint8_t, 16>& values) {
          return _mm_load_si128(reinterpret_cast<const __m128i*>(values.data()));
        };
        const __m128i offset = _mm_sub_epi8(chunk, vector(shift.first));
        const __m128i inside = _mm_cmpeq_epi8(_mm_min_epu8(offset, vector(shift.width)), offset);
        amounts = _mm_or_si128(amounts, _mm_and_si128(inside, vector(shift.amount)));
      }
      return _mm_add_epi8(chunk, amounts);
    };
    for (; i + 16 <= count; i += 16) {
      auto* const at = reinterpret_cast<__m128i*>(bytes + i);
      _mm_storeu_si128(at, shifted(_mm_loadu_si128(at)));
    }
    if (i < count) {  // the last few bytes through a block of sixteen
      char last[16] = {};
      std::memcpy(last, bytes + i, count - i);
      auto* const at = reinterpret_cast<__m128i*>(last);
      _mm_storeu_si128(at, shifted(_mm_loadu_si128(at)));
      std::memcpy(bytes + i, last, count - i);
    }
    return;
  }
#endif
  for (; i < count; ++i) bytes[i] = byte_map_[static_cast<unsigned char>(bytes[i])];
}

}  // namespace quorvandel

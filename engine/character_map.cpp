#include "engine/character_map.h"

#include <cstring>

#include "engine/byte_vectors.h"
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

#if defined(__SSE2__)
namespace {

// Moves each byte of a line by the amount of the stretch it lies in, sixteen
// bytes at a time, against Count stretches held in registers.
template <int Count, typename Shift>
void Shift_bytes(char* bytes, std::size_t count, const Shift* shifts) {
  __m128i first[Count], width[Count], amount[Count];
  for (int s = 0; s < Count; ++s) {
    first[s] = Load_copies(shifts[s].first);
    width[s] = Load_copies(shifts[s].width);
    amount[s] = Load_copies(shifts[s].amount);
  }
  const auto shifted = [&](__m128i chunk) {
    __m128i amounts = _mm_setzero_si128();
    for (int s = 0; s < Count; ++s) {
      amounts = _mm_or_si128(amounts, _mm_and_si128(Within(chunk, first[s], width[s]), amount[s]));
    }
    return _mm_add_epi8(chunk, amounts);
  };
  const auto load = [](const char* at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); };
  const auto store = [](char* at, __m128i chunk) { _mm_storeu_si128(reinterpret_cast<__m128i*>(at), chunk); };
  if (count < 16) {  // through a block of sixteen
    char block[16] = {};
    std::memcpy(block, bytes, count);
    store(block, shifted(load(block)));
    std::memcpy(bytes, block, count);
    return;
  }
  // The last sixteen bytes, taken before the loop changes the first of them
  // and stored after it: where the two overlap both store the same bytes.
  const __m128i last = shifted(load(bytes + count - 16));
  for (std::size_t i = 0; i + 16 <= count; i += 16) store(bytes + i, shifted(load(bytes + i)));
  store(bytes + count - 16, last);
}

}  // namespace
#endif

void Character_map::Apply_to_bytes(char* bytes, std::size_t count) const {
#if defined(__SSE2__)
  // One loop for each number of stretches, so that they stay in registers.
  static_assert(most_shifts == 8);
  const Shift* const shifts = shifts_.data();
  switch (shift_count_) {
    case 1: return Shift_bytes<1>(bytes, count, shifts);
    case 2: return Shift_bytes<2>(bytes, count, shifts);
    case 3: return Shift_bytes<3>(bytes, count, shifts);
    case 4: return Shift_bytes<4>(bytes, count, shifts);
    case 5: return Shift_bytes<5>(bytes, count, shifts);
    case 6: return Shift_bytes<6>(bytes, count, shifts);
    case 7: return Shift_bytes<7>(bytes, count, shifts);
    case 8: return Shift_bytes<8>(bytes, count, shifts);
    default: break;  // none (an identity map is not applied), or too many
  }
#endif
  for (std::size_t i = 0; i < count; ++i) bytes[i] = byte_map_[static_cast<unsigned char>(bytes[i])];
}

}  // namespace quorvandel

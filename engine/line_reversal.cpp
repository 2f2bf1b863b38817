// Reversal of one line between visual and logical order. Every step works in
// place on the line's units and touches each unit a bounded number of times;
// only Adjust_spaces changes the length.
#include "engine/line_reversal.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cstring>
#include <limits>

#include "engine/byte_vectors.h"

namespace quorvandel {
namespace {

constexpr Unit space = ' ';

// The bracket pairs. The two characters of a pair differ in a few bits, so
// flipping one is an exclusive or with them; no character belongs to two
// pairs, so each changes at most once.
struct Bracket_pair {
  Unit opening;
  Unit closing;
};

constexpr Bracket_pair parentheses_pair = {'(', ')'};
constexpr Bracket_pair brackets_pair = {'[', ']'};
constexpr Bracket_pair curly_braces_pair = {'{', '}'};
constexpr Bracket_pair angle_brackets_pair = {'<', '>'};

// A pair that is not flipped: a value no unit takes.
constexpr Unit no_unit = 0xFFFFFFFF;
constexpr Bracket_pair no_pair = {no_unit, no_unit};

template <typename Line>
std::size_t Leading_spaces(const Line& line) {
  const std::size_t first = line.find_first_not_of(static_cast<typename Line::value_type>(space));
  return first == Line::npos ? line.size() : first;
}

template <typename Line>
std::size_t Trailing_spaces(const Line& line) {
  const std::size_t last = line.find_last_not_of(static_cast<typename Line::value_type>(space));
  return last == Line::npos ? line.size() : line.size() - 1 - last;
}

// Rewrites the line as `before` spaces, the core (core_length units found at
// core_offset) and `after` spaces, moving the core once and in place.
template <typename Line>
void Place_core(Line& line, std::size_t core_offset, std::size_t core_length, std::size_t before,
                std::size_t after) {
  const std::size_t new_length = before + core_length + after;
  if (new_length > line.size()) line.resize(new_length);
  const auto core_begin = line.begin() + static_cast<std::ptrdiff_t>(core_offset);
  const auto core_end = core_begin + static_cast<std::ptrdiff_t>(core_length);
  const auto placed_begin = line.begin() + static_cast<std::ptrdiff_t>(before);
  if (before < core_offset) {
    std::copy(core_begin, core_end, placed_begin);
  } else if (before > core_offset) {
    std::copy_backward(core_begin, core_end, placed_begin + static_cast<std::ptrdiff_t>(core_length));
  }
  const auto blank = static_cast<typename Line::value_type>(space);
  std::fill(line.begin(), placed_begin, blank);
  std::fill(placed_begin + static_cast<std::ptrdiff_t>(core_length),
            line.begin() + static_cast<std::ptrdiff_t>(new_length), blank);
  line.resize(new_length);
}

// Swaps the reversed first and last `Word` of a stretch of 1 to 2 words:
// where the two overlap, both stores write the same, right bytes.
template <typename Word, typename Byte>
void Reverse_two_words(Byte* begin, Byte* end) {
  Word front, back;
  std::memcpy(&front, begin, sizeof(Word));
  std::memcpy(&back, end - sizeof(Word), sizeof(Word));
  if constexpr (sizeof(Word) == 8) {
    front = __builtin_bswap64(front);
    back = __builtin_bswap64(back);
  } else if constexpr (sizeof(Word) == 4) {
    front = __builtin_bswap32(front);
    back = __builtin_bswap32(back);
  } else {
    front = __builtin_bswap16(front);
    back = __builtin_bswap16(back);
  }
  std::memcpy(begin, &back, sizeof(Word));
  std::memcpy(end - sizeof(Word), &front, sizeof(Word));
}

// Reverses bytes eight at a time from both ends, which for a long stretch
// is several times faster than one at a time; what is left in the middle,
// and a short stretch (the usual word), takes two overlapping words.
template <typename Byte>
void Reverse_bytes(Byte* begin, Byte* end) {
  static_assert(sizeof(Byte) == 1);
  while (end - begin >= 16) {
    std::uint64_t front, back;
    std::memcpy(&front, begin, 8);
    std::memcpy(&back, end - 8, 8);
    front = __builtin_bswap64(front);
    back = __builtin_bswap64(back);
    std::memcpy(begin, &back, 8);
    std::memcpy(end - 8, &front, 8);
    begin += 8;
    end -= 8;
  }
  const auto length = end - begin;
  if (length >= 8) {
    Reverse_two_words<std::uint64_t>(begin, end);
  } else if (length >= 4) {
    Reverse_two_words<std::uint32_t>(begin, end);
  } else if (length >= 2) {
    Reverse_two_words<std::uint16_t>(begin, end);
  }
}

#if defined(__SIZEOF_INT128__)
__extension__ typedef unsigned __int128 Bytes_16;

// Reverses the `length` bytes (2 to 16) that end at `end`, with no branch
// on the length, which varies from run to run: the sixteen bytes that end
// there are read as one number, turned, and the run's part of the turned
// number moved back over it. The bytes before the run are written back as
// they were; at least sixteen bytes must lie before `end`.
inline void Reverse_short_run(char* end, std::size_t length) {
  std::uint64_t low, high;
  std::memcpy(&low, end - 16, 8);
  std::memcpy(&high, end - 8, 8);
  const Bytes_16 bytes = Bytes_16{high} << 64 | low;
  const Bytes_16 turned = Bytes_16{__builtin_bswap64(low)} << 64 | __builtin_bswap64(high);
  const auto kept_bits = static_cast<unsigned>(8 * (16 - length));
  const Bytes_16 run_mask = ~Bytes_16{0} << kept_bits;
  const Bytes_16 result = (bytes & ~run_mask) | turned << kept_bits;
  low = static_cast<std::uint64_t>(result);
  high = static_cast<std::uint64_t>(result >> 64);
  std::memcpy(end - 16, &low, 8);
  std::memcpy(end - 8, &high, 8);
}
#endif

// Reverses bytes [begin, end) of a line of bytes. A run holds at least one
// byte: Reverse_short_run would shift by all 128 bits for an empty one.
inline void Reverse_run(char* line, std::size_t begin, std::size_t end) {
  assert(begin < end);
#if defined(__SIZEOF_INT128__)
  if (end - begin <= 16 && end >= 16) return Reverse_short_run(line + end, end - begin);
#endif
  Reverse_bytes(line + begin, line + end);
}

template <typename Unit_type>
void Reverse_stretch(Unit_type* begin, Unit_type* end) {
  if constexpr (sizeof(Unit_type) == 1) {
    Reverse_bytes(begin, end);
  } else {
    std::reverse(begin, end);
  }
}

// Reverse_elements looks at the line in blocks of 64 units, one bit for each
// unit telling whether it is of the kind; a run begins or ends where the bit
// changes. Branches then follow the runs rather than the units.
constexpr std::size_t block_units = 64;
using Block_bits = std::uint64_t;

// The members of the kinds in `mask` among up to 64 units, one bit each.
Block_bits Members(const std::uint8_t* kinds_of, std::size_t count, std::uint8_t mask) {
  Block_bits members = 0;
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i wanted = _mm_set1_epi8(static_cast<char>(mask));
  const __m128i none = _mm_setzero_si128();
  for (; i + 16 <= count; i += 16) {
    const __m128i unit_kinds = _mm_loadu_si128(reinterpret_cast<const __m128i*>(kinds_of + i));
    const __m128i outside = _mm_cmpeq_epi8(_mm_and_si128(unit_kinds, wanted), none);
    members |= static_cast<Block_bits>(~static_cast<unsigned>(_mm_movemask_epi8(outside)) & 0xFFFFU) << i;
  }
#endif
  for (; i < count; ++i) members |= Block_bits{(kinds_of[i] & mask) != 0} << i;
  return members;
}

// The members of a kind among up to 64 bytes, by the table.
Block_bits Byte_members(const char* bytes, std::size_t count, const Kind_table& kinds, std::uint8_t mask) {
  Block_bits members = 0;
  for (std::size_t i = 0; i < count; ++i) members |= Block_bits{(kinds.Kinds_of(bytes[i]) & mask) != 0} << i;
  return members;
}

#if defined(__SSE2__)
// The members of a kind judged sixteen bytes at a time against its Count
// ranges, held in registers.
template <int Count>
class Range_test {
 public:
  explicit Range_test(const Byte_ranges& ranges) {
    for (int r = 0; r < Count; ++r) {
      const Byte_ranges::Range& range = ranges.ranges[static_cast<std::size_t>(r)];
      first_[r] = Load_copies(range.first);
      width_[r] = Load_copies(range.width);
    }
  }

  // The members among the `count` bytes of the block at `block` of a line
  // of `length` bytes. A short block ends the line: its sixteen bytes are
  // the line's last, read from before the block where the line is long
  // enough, and only the block's bits are kept.
  Block_bits Members(const char* line, std::size_t length, std::size_t block, std::size_t count) const {
    const char* const bytes = line + block;
    Block_bits members = 0;
    std::size_t i = 0;
    for (; i + 16 <= count; i += 16) members |= Block_bits{Of(bytes + i)} << i;
    if (i < count) {
      const std::size_t rest = count - i;
      unsigned last;
      if (length >= 16) {
        last = Of(bytes + count - 16) >> (16 - rest);
      } else {
        char chunk[16] = {};
        std::memcpy(chunk, bytes + i, rest);
        last = Of(chunk) & ((1U << rest) - 1);
      }
      members |= Block_bits{last} << i;
    }
    return members;
  }

 private:
  unsigned Of(const char* chunk_bytes) const {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chunk_bytes));
    __m128i inside = _mm_setzero_si128();
    for (int r = 0; r < Count; ++r) inside = _mm_or_si128(inside, Within(chunk, first_[r], width_[r]));
    return static_cast<unsigned>(_mm_movemask_epi8(inside));
  }

  __m128i first_[Count];
  __m128i width_[Count];
};
#endif

// A run of one unit needs no reversal: drops the members whose neighbours
// are not members. The last unit's right neighbour lies in the next block,
// so it always stays.
Block_bits Without_lone_units(Block_bits members, Block_bits run_open) {
  constexpr Block_bits last_unit = Block_bits{1} << (block_units - 1);
  const Block_bits lone = members & ~(members << 1 | run_open) & ~(members >> 1) & ~last_unit;
  return members & ~lone;
}

}  // namespace

void Flip_parentheses(Text& line, bool parentheses, bool brackets, bool curly_braces, bool angle_brackets) {
  if (!parentheses && !brackets && !curly_braces && !angle_brackets) return;
  const std::array<Bracket_pair, 4> pairs = {
      parentheses ? parentheses_pair : no_pair,
      brackets ? brackets_pair : no_pair,
      curly_braces ? curly_braces_pair : no_pair,
      angle_brackets ? angle_brackets_pair : no_pair,
  };
  // Branch-free, so that the loop works on several units at a time.
  for (Unit& ch : line) {
    Unit flip = 0;
    for (const Bracket_pair& pair : pairs) {
      flip |= (ch == pair.opening || ch == pair.closing) ? pair.opening ^ pair.closing : 0;
    }
    ch ^= flip;
  }
}

void Reverse_string(Text& line) { std::reverse(line.begin(), line.end()); }
void Reverse_string(Byte_text& line) { Reverse_bytes(line.data(), line.data() + line.size()); }

namespace {

template <typename Line>
void Reverse_part(Line& line, std::int64_t start, std::int64_t count) {
  const auto length = static_cast<std::int64_t>(line.size());
  if (count <= 0 || start > length) return;
  // The last position, start + count - 1, saturated instead of overflowing.
  const bool past_every_position = start > 0 && count - 1 > std::numeric_limits<std::int64_t>::max() - start;
  const std::int64_t last = past_every_position ? length : std::min(start + (count - 1), length);
  const std::int64_t first = std::max<std::int64_t>(start, 1);
  if (first >= last) return;
  std::reverse(line.begin() + (first - 1), line.begin() + last);
}

}  // namespace

void Reverse_substring(Text& line, std::int64_t start, std::int64_t count) { Reverse_part(line, start, count); }
void Reverse_substring(Byte_text& line, std::int64_t start, std::int64_t count) { Reverse_part(line, start, count); }

template <typename Line>
void Run_reverser::Start_units(const Line& line, const Kind_table& kinds) {
  kinds_of_.resize(line.size());
  std::uint8_t* const kinds_of = kinds_of_.data();
  std::uint8_t present = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const std::uint8_t unit_kinds = kinds.Kinds_of(line[i]);
    kinds_of[i] = unit_kinds;
    present |= unit_kinds;
  }
  kinds_present_ = present;
}

namespace {

// Reverses every run of members of `length` units, the members of each
// block of 64 told by members_of(block, count); reverse(begin, end) turns
// one run. A run turns once its end is found, before the next block is
// judged, and it holds members only, so the blocks judged later still hold
// what they held.
template <typename Members_of, typename Reverse>
void Reverse_member_runs(std::size_t length, const Members_of& members_of, const Reverse& reverse) {
  std::size_t run_begin = 0;
  Block_bits run_open = 0;  // 1 when the last unit of the block before is in a run
  for (std::size_t block = 0; block < length; block += block_units) {
    const std::size_t count = std::min(block_units, length - block);
    const Block_bits members = Without_lone_units(members_of(block, count), run_open);
    Block_bits edges = members ^ (members << 1 | run_open);
    while (edges != 0) {
      const auto offset = static_cast<std::size_t>(std::countr_zero(edges));
      edges &= edges - 1;
      if ((members >> offset & 1U) != 0) {
        run_begin = block + offset;
      } else {
        reverse(run_begin, block + offset);
      }
    }
    run_open = count == block_units ? members >> (block_units - 1) : 0;
  }
  if (run_open != 0) reverse(run_begin, length);
}

}  // namespace

template <typename Line>
void Run_reverser::Reverse_units(Line& line, int kind, bool last) {
  if (kind < kind_english_letter || kind > kind_expression) return;
  const auto mask = static_cast<std::uint8_t>(1U << kind);
  if ((kinds_present_ & mask) == 0) return;  // no unit of the kind: no run
  auto* const units = line.data();
  std::uint8_t* const kinds_of = kinds_of_.data();
  Reverse_member_runs(
      line.size(), [&](std::size_t block, std::size_t count) { return Members(kinds_of + block, count, mask); },
      [&](std::size_t begin, std::size_t end) {
        Reverse_stretch(units + begin, units + end);
        if (!last) Reverse_bytes(kinds_of + begin, kinds_of + end);
      });
}

void Run_reverser::Start(const Text& line, const Kind_table& kinds) { Start_units(line, kinds); }
void Run_reverser::Reverse(Text& line, int kind, bool last) { Reverse_units(line, kind, last); }

// A byte's kinds are the byte's alone: each pass judges the bytes where
// they are then, and no kinds travel with them.
void Run_reverser::Start(const Byte_text& /*line*/, const Kind_table& kinds) { byte_kinds_ = &kinds; }

namespace {

#if defined(__SSE2__)
template <int Count>
void Reverse_byte_runs(Byte_text& line, const Byte_ranges& ranges) {
  const Range_test<Count> test(ranges);
  char* const bytes = line.data();
  const std::size_t length = line.size();
  Reverse_member_runs(
      length, [&](std::size_t block, std::size_t count) { return test.Members(bytes, length, block, count); },
      [&](std::size_t begin, std::size_t end) { Reverse_run(bytes, begin, end); });
}
#endif

}  // namespace

void Run_reverser::Reverse(Byte_text& line, int kind, bool /*last*/) {
  if (kind < kind_english_letter || kind > kind_expression) return;
  const Kind_table& kinds = *byte_kinds_;
  const Byte_ranges& ranges = kinds.Ranges_of(kind);
  if (ranges.count == 0 && !ranges.too_many) return;  // no byte is of the kind
#if defined(__SSE2__)
  // One loop for each number of ranges, so that the ranges stay in registers.
  static_assert(Byte_ranges::most == 6);
  if (!ranges.too_many) {
    switch (ranges.count) {
      case 1: return Reverse_byte_runs<1>(line, ranges);
      case 2: return Reverse_byte_runs<2>(line, ranges);
      case 3: return Reverse_byte_runs<3>(line, ranges);
      case 4: return Reverse_byte_runs<4>(line, ranges);
      case 5: return Reverse_byte_runs<5>(line, ranges);
      default: return Reverse_byte_runs<6>(line, ranges);
    }
  }
#endif
  const auto mask = static_cast<std::uint8_t>(1U << kind);
  char* const bytes = line.data();
  Reverse_member_runs(
      line.size(),
      [&](std::size_t block, std::size_t count) { return Byte_members(bytes + block, count, kinds, mask); },
      [&](std::size_t begin, std::size_t end) { Reverse_run(bytes, begin, end); });
}

void Reverse_elements(Text& line, int kind, const Kind_table& kinds) {
  Run_reverser runs;
  runs.Start(line, kinds);
  runs.Reverse(line, kind);
}

namespace {

template <typename Line>
void Adjust_line_spaces(Line& line, bool complement_leading_spaces, bool truncate_trailing_spaces,
                        std::int32_t line_length) {
  const std::size_t leading = Leading_spaces(line);
  if (leading == line.size()) return;  // empty, or spaces only
  const std::size_t trailing = Trailing_spaces(line);
  const std::size_t core_length = line.size() - leading - trailing;

  std::size_t spaces_before = 0;
  std::size_t spaces_after = 0;
  if (complement_leading_spaces) {
    // The leading spaces count against the width although they are dropped.
    const std::int64_t missing =
        std::int64_t{line_length} - static_cast<std::int64_t>(leading) - static_cast<std::int64_t>(core_length);
    spaces_before = missing > 0 ? static_cast<std::size_t>(missing) : 0;
  } else {
    spaces_before = trailing;
    spaces_after = truncate_trailing_spaces ? 0 : leading;
  }
  Place_core(line, leading, core_length, spaces_before, spaces_after);
}

}  // namespace

void Adjust_spaces(Text& line, bool complement_leading_spaces, bool truncate_trailing_spaces,
                   std::int32_t line_length) {
  Adjust_line_spaces(line, complement_leading_spaces, truncate_trailing_spaces, line_length);
}

void Adjust_spaces(Byte_text& line, bool complement_leading_spaces, bool truncate_trailing_spaces,
                   std::int32_t line_length) {
  Adjust_line_spaces(line, complement_leading_spaces, truncate_trailing_spaces, line_length);
}

void Truncate_trailing_spaces(Text& line) { line.resize(line.size() - Trailing_spaces(line)); }

}  // namespace quorvandel

// Reversal of one line between visual and logical order. Every step works in
// place on the line's units and touches each unit a bounded number of times;
// only Adjust_spaces changes the length.
#include "engine/line_reversal.h"

#include <algorithm>
#include <array>
#include <limits>

namespace quorvandel {
namespace {

constexpr Unit space = ' ';

// The four bracket pairs in the order they are tried, and for each byte
// the pair it belongs to (or none) and the character it flips into.
enum Bracket_pair : std::uint8_t { pair_parentheses, pair_brackets, pair_curly_braces, pair_angle_brackets, no_pair };

struct Bracket_flip {
  Bracket_pair pair = no_pair;
  Unit partner = 0;
};

constexpr std::array<Bracket_flip, last_byte_unit + 1> Make_bracket_flips() {
  std::array<Bracket_flip, last_byte_unit + 1> flips{};
  const struct {
    Bracket_pair pair;
    Unit opening;
    Unit closing;
  } pairs[] = {
      {pair_parentheses, '(', ')'},
      {pair_brackets, '[', ']'},
      {pair_curly_braces, '{', '}'},
      {pair_angle_brackets, '<', '>'},
  };
  for (const auto& p : pairs) {
    flips[p.opening] = {p.pair, p.closing};
    flips[p.closing] = {p.pair, p.opening};
  }
  return flips;
}

constexpr std::array<Bracket_flip, last_byte_unit + 1> bracket_flips = Make_bracket_flips();

std::size_t Leading_spaces(Text_view line) {
  const std::size_t first = line.find_first_not_of(space);
  return first == Text_view::npos ? line.size() : first;
}

std::size_t Trailing_spaces(Text_view line) {
  const std::size_t last = line.find_last_not_of(space);
  return last == Text_view::npos ? line.size() : line.size() - 1 - last;
}

// Rewrites the line as `before` spaces, the core (core_length units found at
// core_offset) and `after` spaces, moving the core once and in place.
void Place_core(Text& line, std::size_t core_offset, std::size_t core_length, std::size_t before,
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
  std::fill(line.begin(), placed_begin, space);
  std::fill(placed_begin + static_cast<std::ptrdiff_t>(core_length),
            line.begin() + static_cast<std::ptrdiff_t>(new_length), space);
  line.resize(new_length);
}

}  // namespace

void Flip_parentheses(Text& line, bool parentheses, bool brackets, bool curly_braces, bool angle_brackets) {
  const std::array<bool, no_pair> enabled = {parentheses, brackets, curly_braces, angle_brackets};
  if (std::none_of(enabled.begin(), enabled.end(), [](bool on) { return on; })) return;
  for (Unit& ch : line) {
    if (!Is_byte(ch)) continue;
    const Bracket_flip& flip = bracket_flips[ch];
    if (flip.pair != no_pair && enabled[flip.pair]) ch = flip.partner;
  }
}

void Reverse_string(Text& line) { std::reverse(line.begin(), line.end()); }

void Reverse_substring(Text& line, std::int64_t start, std::int64_t count) {
  const auto length = static_cast<std::int64_t>(line.size());
  if (count <= 0 || start > length) return;
  // The last position, start + count - 1, saturated instead of overflowing.
  const bool past_every_position = start > 0 && count - 1 > std::numeric_limits<std::int64_t>::max() - start;
  const std::int64_t last = past_every_position ? length : std::min(start + (count - 1), length);
  const std::int64_t first = std::max<std::int64_t>(start, 1);
  if (first >= last) return;
  std::reverse(line.begin() + (first - 1), line.begin() + last);
}

void Reverse_elements(Text& line, int kind, const Kind_table& kinds) {
  const auto of_kind = [&](Unit ch) { return kinds.Is(ch, kind); };
  auto position = line.begin();
  while (true) {
    const auto run_begin = std::find_if(position, line.end(), of_kind);
    if (run_begin == line.end()) return;
    const auto run_end = std::find_if_not(run_begin, line.end(), of_kind);
    std::reverse(run_begin, run_end);
    position = run_end;
  }
}

void Adjust_spaces(Text& line, bool complement_leading_spaces, bool truncate_trailing_spaces,
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

void Truncate_trailing_spaces(Text& line) { line.resize(line.size() - Trailing_spaces(line)); }

}  // namespace quorvandel

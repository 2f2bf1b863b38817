// The Unicode bidirectional algorithm as the engine asks for it. The engine
// holds no copy of the algorithm's tables and rules; the program gives it
// an implementation (GNU FriBidi, see bidi/), and the engine builds both
// directions of the bidirectional reordering on it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/prefs.h"

namespace quorvandel {

// One line shown by the algorithm: the characters in visual order, left to
// right, with mirrored characters (brackets) already mirrored; for each
// visual position the logical position it shows; and each logical
// character's resolved embedding level (odd: right to left).
struct Bidi_picture {
  std::u32string visual;
  std::vector<std::int32_t> visual_to_logical;
  std::vector<std::uint8_t> levels;
  bool right_to_left = false;  // the paragraph direction that was resolved
};

class Bidi_algorithm {
 public:
  virtual ~Bidi_algorithm() = default;

  // Shows one line of Unicode characters as a single paragraph of the given
  // direction (paragraph_auto: the direction of its first strong letter,
  // left to right when it has none), combining marks kept after their base
  // characters. Returns false only when the algorithm fails (no memory).
  virtual bool Show(std::u32string_view logical, Paragraph_direction direction, Bidi_picture& picture) const = 0;

  // The character that a right-to-left run shows in place of this one
  // (the other bracket of a pair); the character itself when it has none.
  virtual char32_t Mirror(char32_t character) const = 0;
};

// The algorithm that lines are reordered with when their settings ask for
// the bidirectional method. Each program sets it once as it starts (bidi/
// has FriBidi's), before any conversion; without one, such a line stops
// the conversion with a Conversion_error.
void Set_bidi_algorithm(const Bidi_algorithm* algorithm);
const Bidi_algorithm* Installed_bidi_algorithm();

}  // namespace quorvandel

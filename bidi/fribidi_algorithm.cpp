#include "bidi/fribidi_algorithm.h"

#include "bidi/system_bidi.h"

#include <fribidi.h>

#include <algorithm>
#include <limits>
#include <numeric>
#include <vector>

namespace quorvandel {
namespace {

// The flags the fribidi tool shows lines with: mirroring, combining marks
// after their base characters, and Arabic shaping.
constexpr FriBidiFlags shown_flags = FRIBIDI_FLAGS_DEFAULT | FRIBIDI_FLAGS_ARABIC;

FriBidiParType Par_type(Paragraph_direction direction) {
  switch (direction) {
    case paragraph_ltr: return FRIBIDI_PAR_LTR;
    case paragraph_auto: return FRIBIDI_PAR_ON;
    default: return FRIBIDI_PAR_RTL;
  }
}

// Letters that Arabic shaping may change; without them, shaping is
// mirroring alone.
bool Has_arabic_letters(std::u32string_view line) {
  return std::any_of(line.begin(), line.end(), [](char32_t c) {
    return (c >= 0x0600 && c <= 0x08FF) || (c >= 0xFB50 && c <= 0xFDFF) || (c >= 0xFE70 && c <= 0xFEFF);
  });
}

}  // namespace

bool Fribidi_algorithm::Show(std::u32string_view logical, Paragraph_direction direction, Bidi_picture& picture) const {
  static_assert(sizeof(FriBidiChar) == sizeof(char32_t));
  static_assert(sizeof(FriBidiStrIndex) == sizeof(std::int32_t));
  static_assert(sizeof(FriBidiLevel) == sizeof(std::uint8_t));
  if (logical.size() > static_cast<std::size_t>(std::numeric_limits<FriBidiStrIndex>::max())) return false;
  const auto length = static_cast<FriBidiStrIndex>(logical.size());
  const auto* characters = reinterpret_cast<const FriBidiChar*>(logical.data());
  picture.visual.assign(logical);
  picture.visual_to_logical.resize(logical.size());
  picture.levels.resize(logical.size());
  auto* visual = reinterpret_cast<FriBidiChar*>(picture.visual.data());
  auto* levels = reinterpret_cast<FriBidiLevel*>(picture.levels.data());
  FriBidiParType base = Par_type(direction);
  if (logical.empty()) {
    picture.right_to_left = direction == paragraph_rtl;
    return true;
  }

  if (Has_arabic_letters(logical)) {
    // fribidi_log2vis joins and shapes Arabic as the tool does.
    const FriBidiLevel result =
        fribidi_log2vis(characters, length, &base, visual, nullptr, picture.visual_to_logical.data(), levels);
    picture.right_to_left = FRIBIDI_IS_RTL(base);
    return result != 0;
  }

  // The same steps as fribidi_log2vis without the Arabic joining, on buffers
  // kept from line to line (one set per thread: conversions may run side by
  // side).
  thread_local std::vector<FriBidiCharType> types;
  thread_local std::vector<FriBidiBracketType> brackets;
  types.resize(logical.size());
  brackets.resize(logical.size());
  fribidi_get_bidi_types(characters, length, types.data());
  fribidi_get_bracket_types(characters, length, types.data(), brackets.data());
  if (fribidi_get_par_embedding_levels_ex(types.data(), brackets.data(), length, &base, levels) == 0) return false;
  fribidi_shape_mirroring(levels, length, visual);
  std::iota(picture.visual_to_logical.begin(), picture.visual_to_logical.end(), 0);
  if (fribidi_reorder_line(shown_flags, types.data(), length, 0, base, levels, visual,
                           picture.visual_to_logical.data()) == 0) {
    return false;
  }
  picture.right_to_left = FRIBIDI_IS_RTL(base);
  return true;
}

char32_t Fribidi_algorithm::Mirror(char32_t character) const {
  FriBidiChar mirrored = character;
  return fribidi_get_mirror_char(character, &mirrored) ? static_cast<char32_t>(mirrored) : character;
}

const Bidi_algorithm& Fribidi() {
  static const Fribidi_algorithm algorithm;
  return algorithm;
}

const Bidi_algorithm* System_bidi_algorithm() { return &Fribidi(); }

}  // namespace quorvandel

#include "bidi/fribidi_algorithm.h"

#include <fribidi.h>

#include <limits>

namespace quorvandel {
namespace {

FriBidiParType Par_type(Paragraph_direction direction) {
  switch (direction) {
    case paragraph_ltr: return FRIBIDI_PAR_LTR;
    case paragraph_auto: return FRIBIDI_PAR_ON;
    default: return FRIBIDI_PAR_RTL;
  }
}

}  // namespace

bool Fribidi_algorithm::Show(std::u32string_view logical, Paragraph_direction direction, Bidi_picture& picture) const {
  picture.visual.assign(logical);
  picture.visual_to_logical.resize(logical.size());
  picture.levels.resize(logical.size());
  if (logical.size() > static_cast<std::size_t>(std::numeric_limits<FriBidiStrIndex>::max())) return false;
  const auto length = static_cast<FriBidiStrIndex>(logical.size());
  FriBidiParType base = Par_type(direction);
  static_assert(sizeof(FriBidiChar) == sizeof(char32_t));
  static_assert(sizeof(FriBidiStrIndex) == sizeof(std::int32_t));
  static_assert(sizeof(FriBidiLevel) == sizeof(std::uint8_t));
  // fribidi_log2vis is what the fribidi tool shows a line with: the default
  // flags (mirroring, combining marks after their bases) and Arabic shaping.
  const FriBidiLevel result =
      fribidi_log2vis(reinterpret_cast<const FriBidiChar*>(logical.data()), length, &base,
                      reinterpret_cast<FriBidiChar*>(picture.visual.data()), nullptr, picture.visual_to_logical.data(),
                      reinterpret_cast<FriBidiLevel*>(picture.levels.data()));
  picture.right_to_left = FRIBIDI_IS_RTL(base);
  return result != 0 || logical.empty();
}

char32_t Fribidi_algorithm::Mirror(char32_t character) const {
  FriBidiChar mirrored = character;
  return fribidi_get_mirror_char(character, &mirrored) ? static_cast<char32_t>(mirrored) : character;
}

const Bidi_algorithm& Fribidi() {
  static const Fribidi_algorithm algorithm;
  return algorithm;
}

}  // namespace quorvandel

// The bidirectional algorithm of GNU FriBidi, with the flags its own
// command-line tool shows lines with: mirroring, and combining marks kept
// after their base characters.
#pragma once

#include "engine/bidi_algorithm.h"

namespace quorvandel {

class Fribidi_algorithm final : public Bidi_algorithm {
 public:
  bool Show(std::u32string_view logical, Paragraph_direction direction, Bidi_picture& picture) const override;
  char32_t Mirror(char32_t character) const override;
};

// The one instance the programs share; it holds no state.
const Bidi_algorithm& Fribidi();

}  // namespace quorvandel

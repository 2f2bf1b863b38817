// Placeholder until the decoders land: lines pass through unchanged.
#include "engine/decoding.h"

namespace quorvandel {
std::int32_t Hex_to_int(Text_view) { return 0; }
std::optional<Unit> Entity_to_char(Text_view, bool) { return std::nullopt; }
void Translate_entities(Text&) {}
void Translate_quoted_printable(Text&) {}
}  // namespace quorvandel

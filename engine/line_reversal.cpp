// Placeholder until the reversals land: lines pass through unchanged.
#include "engine/line_reversal.h"

namespace quorvandel {
void Flip_parentheses(Text&, bool, bool, bool, bool) {}
void Reverse_string(Text&) {}
void Reverse_substring(Text&, std::int64_t, std::int64_t) {}
void Reverse_elements(Text&, int, const Kind_table&) {}
void Adjust_spaces(Text&, bool, bool, std::int32_t) {}
void Truncate_trailing_spaces(Text&) {}
}  // namespace quorvandel

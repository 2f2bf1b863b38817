// Placeholder until the markup reversal lands: lines pass through unchanged.
#include "engine/html_reversal.h"

namespace quorvandel {
const char* Html_state_name(Html_state) { return "Text"; }
Scan_signals Scan_HTML(Html_state&, Unit) { return {}; }
void Reverse_HTML_Tags(Text&, bool, bool, Html_state&) {}
}  // namespace quorvandel

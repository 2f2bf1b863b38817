// Reversal of HTML markup and of the text between it, line by line, with a
// state machine whose state is carried from one line of a document to the next.
#pragma once

#include <cstdint>

#include "engine/text.h"

namespace quorvandel {

// The states of the markup machine; Html_state_name gives each its name.
enum class Html_state : std::uint8_t {
  none = 0,         // "None": never entered, behaves as text
  opened = 1,       // "Opened": a '<' read in text; the tag name follows
  slashed = 2,      // "Slashed": a '/' right after the '<'
  named = 3,        // "Named": inside a tag, after its name or an attribute
  param_began = 4,  // "ParamBegan": reading an attribute name
  found_equal = 5,  // "FoundEqual": after an attribute's '='
  found_quote = 6,  // "FoundQuote": inside a value in double quotes
  found_apost = 7,  // "FoundApost": inside a value in apostrophes
  text = 8,         // "Text": outside markup
  comment1 = 9,     // "Comment1": "<!" read
  comment2 = 10,    // "Comment2": "<!-" read
  comment3 = 11,    // "Comment3": inside a comment
  comment4 = 12,    // "Comment4": one '-' inside a comment
  comment5 = 13,    // "Comment5": two or more '-' inside a comment
  error = 14,       // "Error": a declaration "<!..." up to its '>'
};

const char* Html_state_name(Html_state state);

struct Scan_signals {
  bool tag_closed = false;  // a '>' that ended markup
  bool text_ended = false;  // a '<' that began markup
};

// One transition of the machine for the character c.
Scan_signals Scan_HTML(Html_state& state, Unit c);

// Reverses the markup and/or the text stretches of one line in place.
void Reverse_HTML_Tags(Text& line, bool reverse_html_tags, bool reverse_html_text, Html_state& state);
void Reverse_HTML_Tags(Byte_text& line, bool reverse_html_tags, bool reverse_html_text, Html_state& state);

}  // namespace quorvandel

// Clipboard data passed through pipes, as the Wayland data-control
// protocols and the desktop portal's clipboard pass it: the text types, and
// the writing and reading of a format's bytes with an owner or a reader
// that may be slow or gone.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/clipboard_service.h"

namespace quorvandel {

// The most text that is taken from another program.
inline constexpr std::size_t clipboard_text_limit = std::size_t{256} << 20;

// The types that carry UTF-8 text, in the order they are asked for.
extern const std::vector<std::string> clipboard_text_types;

// This program's text in the types it is offered in; a transient one is
// marked for clipboard managers as not to be kept.
Clipboard_contents Offered_text(const std::string& text, bool transient);

// The text among the formats; nothing when none carries text.
const std::string* Text_in(const Clipboard_contents& contents);

// Writes the whole data to a reader that may be slow; gives up when it
// stops reading for too long or goes away. The descriptor stays open.
void Write_to_reader(int fd, const std::string& data);

// Reads the descriptor to its end and closes it; nothing when the writer
// stays silent too long or sends more than `max_bytes`. The user interface
// runs meanwhile, since the writer may be this program's own window.
std::optional<std::string> Read_from_writer(int fd, std::size_t max_bytes);

}  // namespace quorvandel

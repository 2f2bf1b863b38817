// The system clipboard with every format it offers, so that what the user
// had copied can be taken aside and given back whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quorvandel {

// One format of the clipboard's contents: its MIME type and its bytes.
struct Clipboard_format {
  std::string mime_type;
  std::string data;
  bool operator==(const Clipboard_format&) const = default;
};
using Clipboard_contents = std::vector<Clipboard_format>;

class Clipboard_service {
 public:
  virtual ~Clipboard_service() = default;

  // Every format the clipboard offers now, with its data; empty when the
  // clipboard is empty. Nothing when it cannot be read, or when its formats
  // hold more than `max_bytes` together.
  virtual std::optional<Clipboard_contents> Read_all(std::size_t max_bytes) = 0;

  // Makes the clipboard hold exactly these formats; an empty list empties
  // it. False when the clipboard cannot be taken.
  virtual bool Write_all(const Clipboard_contents& contents) = 0;

  // The clipboard's plain text in UTF-8; nothing when it offers no text.
  virtual std::optional<std::string> Read_text() = 0;

  // Makes the clipboard hold this UTF-8 text alone. With `transient`, the
  // text is marked for clipboard managers as not to be kept. False when
  // the clipboard cannot be taken.
  virtual bool Write_text(const std::string& text, bool transient) = 0;

  // The text of the primary selection (X11's selected text), nothing where
  // there is none or the system has no such selection.
  virtual std::optional<std::string> Read_primary_text() = 0;

  // Makes the primary selection hold this UTF-8 text: text selected in a
  // field is offered so, and the terminals that paste the primary
  // selection take it from there. False where the system has no such
  // selection or it cannot be taken. Fetches of it count in Fetch_count.
  virtual bool Write_primary_text(const std::string& text) {
    (void)text;
    return false;
  }

  // Grows by one each time the clipboard changes hands (another program
  // copied, or this one wrote).
  virtual std::uint64_t Change_count() = 0;

  // Grows by one each time another program fetches data that this program
  // put on the clipboard.
  virtual std::uint64_t Fetch_count() = 0;

  // Called on the user-interface thread whenever either count grows.
  virtual void Set_changed_handler(std::function<void()> handler) = 0;
};

}  // namespace quorvandel

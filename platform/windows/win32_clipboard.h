// The Windows clipboard behind Clipboard_service. Formats are named by MIME
// type: "text/plain;charset=utf-8" for CF_UNICODETEXT, and for every other
// format "application/x-windows-clipboard;id=<number>" (the predefined
// formats) or "application/x-windows-clipboard;name=<name>" (registered
// ones), whose data are the bytes of its memory block. Text this program
// writes is rendered on request (delayed rendering), so that each fetch by
// another program is counted.
#pragma once

#include <cstdint>
#include <string>

#include "platform/clipboard_service.h"
#include "platform/windows/message_window.h"

namespace quorvandel {

class Win32_clipboard : public Clipboard_service {
 public:
  Win32_clipboard();
  ~Win32_clipboard() override;

  std::optional<Clipboard_contents> Read_all(std::size_t max_bytes) override;
  bool Write_all(const Clipboard_contents& contents) override;
  std::optional<std::string> Read_text() override;
  bool Write_text(const std::string& text, bool transient) override;
  std::optional<std::string> Read_primary_text() override { return std::nullopt; }  // Windows has none
  std::uint64_t Change_count() override;
  std::uint64_t Fetch_count() override { return fetch_count_; }
  void Set_changed_handler(std::function<void()> handler) override { changed_ = std::move(handler); }

 private:
  bool Handle(unsigned message, std::uintptr_t wparam, std::intptr_t& result);
  bool Render_text();

  std::function<void()> changed_;
  std::wstring pending_text_;  // the text this program offers until it is rendered or replaced
  bool text_pending_ = false;
  bool reading_ = false;  // this program reads: rendering for itself is no fetch
  std::uint64_t fetch_count_ = 0;
  windows::Message_window window_;
};

}  // namespace quorvandel

// A Clipboard_service held in memory: its formats, the counts of changes
// and of fetches, and failures a test turns on.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/clipboard_service.h"

namespace quorvandel::testing {

class Fake_clipboard : public Clipboard_service {
 public:
  inline static const std::string text_format = "text/plain;charset=utf-8";
  inline static const std::string transient_format = "x-kde-passwordManagerHint";

  std::optional<Clipboard_contents> Read_all(std::size_t max_bytes) override {
    ++reads;
    if (fail_reads) return std::nullopt;
    std::size_t total = 0;
    for (const Clipboard_format& format : contents) total += format.data.size();
    if (total > max_bytes) return std::nullopt;
    return contents;
  }
  bool Write_all(const Clipboard_contents& new_contents) override {
    ++writes;
    if (fail_writes) return false;
    Own(new_contents);
    return true;
  }
  std::optional<std::string> Read_text() override {
    ++reads;
    if (fail_reads) return std::nullopt;
    const Clipboard_format* text = Find(text_format);
    if (!text) return std::nullopt;
    return text->data;
  }
  bool Write_text(const std::string& text, bool transient) override {
    ++writes;
    if (fail_writes) return false;
    Clipboard_contents new_contents{{text_format, text}};
    if (transient) new_contents.push_back({transient_format, "secret"});
    Own(new_contents);
    return true;
  }
  std::optional<std::string> Read_primary_text() override { return primary; }
  std::uint64_t Change_count() override { return changes; }
  std::uint64_t Fetch_count() override { return fetches; }
  void Set_changed_handler(std::function<void()> handler) override { changed = std::move(handler); }

  // ---- What a test does ----

  // Another program copies these formats (or this text).
  void Copy_from_other_program(Clipboard_contents new_contents) {
    contents = std::move(new_contents);
    ours = false;
    Count_change();
  }
  void Copy_text_from_other_program(const std::string& text) { Copy_from_other_program({{text_format, text}}); }

  // Another program fetches the format of what this program put on the
  // clipboard; nothing when that is not this program's.
  std::optional<std::string> Fetch_from_other_program(const std::string& mime_type) {
    if (!ours) return std::nullopt;
    const Clipboard_format* format = Find(mime_type);
    if (!format) return std::nullopt;
    ++fetches;
    if (changed) changed();
    return format->data;
  }

  const Clipboard_format* Find(const std::string& mime_type) const {
    for (const Clipboard_format& format : contents)
      if (format.mime_type == mime_type) return &format;
    return nullptr;
  }
  std::optional<std::string> Text() const {
    const Clipboard_format* text = Find(text_format);
    if (!text) return std::nullopt;
    return text->data;
  }

  Clipboard_contents contents;
  std::optional<std::string> primary;
  bool ours = false;  // this program put the contents there
  bool fail_reads = false;
  bool fail_writes = false;
  std::uint64_t changes = 0;
  std::uint64_t fetches = 0;
  int reads = 0;
  int writes = 0;
  std::function<void()> changed;

 private:
  void Own(const Clipboard_contents& new_contents) {
    contents = new_contents;
    ours = !contents.empty();
    Count_change();
  }
  void Count_change() {
    ++changes;
    if (changed) changed();
  }
};

}  // namespace quorvandel::testing

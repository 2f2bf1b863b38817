// A window's two panes for Convert_document, over lines a test gives: it
// keeps the converted text, the messages and the progress positions, and
// shows nothing. The engine's tests, the fuzzer and the benchmark share it;
// a test that watches more overrides what it watches.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "engine/convert_document.h"

namespace quorvandel::testing {

class Fake_conversion_document : public TConversion_document {
 public:
  // Converts with `settings`, which must outlive the document.
  explicit Fake_conversion_document(const TPrefs* settings = nullptr, std::vector<Text> source_lines = {})
      : lines(std::move(source_lines)), settings_(settings) {}

  const TPrefs& Active_settings() const override { return *settings_; }
  int Source_line_count() const override { return static_cast<int>(lines.size()); }
  Text Source_line(int index) const override { return lines.at(static_cast<std::size_t>(index)); }
  void Clear_destination() override { destination.clear(); }
  void Set_destination_text(Text text) override { destination = std::move(text); }
  void Set_progress_caption(const std::string&) override {}
  void Show_progress(bool) override {}
  void Set_progress_position(int position) override { progress_positions.push_back(position); }
  void Process_messages() override {}
  int Source_status() const override { return source_status; }
  std::string Source_file_name() const override { return source_file_name; }
  void Set_dest_status(int, const std::string&) override {}
  void Show_status() override {}
  void Show_message(const std::string& text) override { messages.push_back(text); }
  bool Source_ends_with_break() const override { return ends_with_break; }

  // The source pane.
  std::vector<Text> lines;
  int source_status = ps_blank;
  std::string source_file_name;
  bool ends_with_break = false;

  // What the conversion did to the window.
  Text destination;
  std::vector<std::string> messages;
  std::vector<int> progress_positions;

 protected:
  void Use_settings(const TPrefs& settings) { settings_ = &settings; }

 private:
  const TPrefs* settings_;
};

}  // namespace quorvandel::testing

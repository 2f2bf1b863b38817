// The main window's panes as the document that a conversion reads and fills.
#pragma once

#include "engine/convert_document.h"
#include "mainwindow/main_form.h"

namespace quorvandel {

class TPane_document : public TConversion_document {
 public:
  explicit TPane_document(TMainForm& form) : form_(form) {}

  const TPrefs& Active_settings() const override { return *form_.Active_settings(); }
  int Source_line_count() const override { return form_.Source_pane().Line_count(); }
  Text Source_line(int index) const override { return form_.Source_pane().Line(index); }
  bool Source_line_bytes(int index, Byte_text& line) const override {
    return form_.Source_pane().Line_bytes(index, line);
  }
  void Clear_destination() override { form_.Clear_destination(); }
  void Set_destination_text(Text text) override { form_.Set_destination_text(std::move(text)); }
  void Set_destination_bytes(Byte_text bytes) override { form_.Set_destination_bytes(std::move(bytes)); }
  void Set_progress_caption(const std::string& caption) override;
  void Show_progress(bool visible) override;
  void Set_progress_position(int position) override;
  void Process_messages() override;
  int Source_status() const override { return form_.Source_status(); }
  std::string Source_file_name() const override { return form_.Source_file_name(); }
  void Set_dest_status(int status, const std::string& dest_file_name) override {
    form_.Set_dest_status(status, dest_file_name);
  }
  void Show_status() override { form_.Show_status(); }
  void Show_message(const std::string& text) override { form_.Show_message(text); }
  bool Source_ends_with_break() const override { return form_.Source_ends_with_break(); }
  std::size_t Source_size_hint() const override { return static_cast<std::size_t>(form_.Source_pane().Byte_count()); }

 private:
  TMainForm& form_;
};

}  // namespace quorvandel

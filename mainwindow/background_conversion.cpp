#include "mainwindow/background_conversion.h"

#include <exception>

#include "engine/cp1255.h"

namespace quorvandel {
namespace {

constexpr int progress_interval_ms = 50;

// The document the worker converts: the source pane's lines as they were at
// the start, and a record of what the conversion hands back. The progress
// dialog is the window's, shown by it for the whole run.
class Worker_document final : public TConversion_document {
 public:
  Worker_document(const Background_conversion::Source& source, Background_conversion::Outcome& outcome,
                  std::atomic<int>& position)
      : source_(source), outcome_(outcome), position_(position) {}

  const TPrefs& Active_settings() const override { return *source_.settings; }
  int Source_line_count() const override { return source_.line_count; }
  Text Source_line(int index) const override { return source_.lines->Line_units(index); }
  bool Source_line_bytes(int index, Byte_text& line) const override { return source_.lines->Line_bytes(index, line); }
  void Clear_destination() override {}  // the window emptied it before the start
  void Set_destination_text(Text text) override { outcome_.destination = Destination_from_text(std::move(text)); }
  void Set_destination_bytes(Byte_text bytes) override {
    outcome_.destination = Destination_from_bytes(std::move(bytes));
  }
  void Set_progress_caption(const std::string& /*caption*/) override {}
  void Show_progress(bool /*visible*/) override {}
  void Set_progress_position(int position) override { position_.store(position, std::memory_order_relaxed); }
  void Process_messages() override {}
  int Source_status() const override { return source_.status; }
  std::string Source_file_name() const override { return source_.file_name; }
  void Set_dest_status(int status, const std::string& dest_file_name) override {
    outcome_.dest_status_set = true;
    outcome_.dest_status = status;
    outcome_.dest_file_name = dest_file_name;
  }
  void Show_status() override {}
  void Show_message(const std::string& text) override { outcome_.error = text; }
  bool Source_ends_with_break() const override { return source_.ends_with_break; }
  std::size_t Source_size_hint() const override { return source_.size_hint; }

 private:
  const Background_conversion::Source& source_;
  Background_conversion::Outcome& outcome_;
  std::atomic<int>& position_;
};

}  // namespace

Destination_content Destination_from_text(Text text) {
  Destination_content content;
  bool round_trips = true;
  for (const Unit unit : text) {
    if (Is_byte(unit)) continue;
    ++content.units_without_byte;
    const char32_t c = Unicode_from_unit(unit);
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF) || Unit_from_unicode(c) != unit) round_trips = false;
  }
  if (content.units_without_byte == 0) {
    std::string bytes = Bytes_from_text(text);
    text = Text();
    content.lines.Set_from_bytes(std::move(bytes), false);
    return content;
  }
  content.lines.Set_from_units(text);
  content.exact_kept = !round_trips;
  if (!round_trips) content.exact = std::move(text);
  return content;
}

Destination_content Destination_from_bytes(std::string bytes) {
  Destination_content content;
  content.lines.Set_from_bytes(std::move(bytes), false);
  return content;
}

std::unique_ptr<TPrefs> Copy_of_conversion_settings(const TPrefs& settings) {
  auto copy = std::make_unique<TPrefs>(true);
  *copy->conversion = *settings.conversion;
  *copy->source_props = *settings.source_props;
  *copy->dest_props = *settings.dest_props;
  *copy->qwerty = *settings.qwerty;
  return copy;
}

Background_conversion::Background_conversion() {
  QObject::connect(&progress_timer_, &QTimer::timeout, &receiver_,
                   [this] { progress_(position_.load(std::memory_order_relaxed)); });
}

Background_conversion::~Background_conversion() {
  if (worker_.joinable()) worker_.join();
}

void Background_conversion::Start(Source source, Work work, std::function<void(int)> progress,
                                  std::function<void(Outcome)> done) {
  source_ = std::move(source);
  outcome_ = Outcome();
  position_.store(-1);
  progress_ = std::move(progress);
  done_ = std::move(done);
  progress_timer_.start(progress_interval_ms);
  worker_ = std::thread([this, work = std::move(work)] {
    try {
      Worker_document document(source_, outcome_, position_);
      outcome_.converted = work(document, outcome_.found);
    } catch (const std::exception& error) {  // out of memory, for one
      outcome_ = Outcome();
      outcome_.error = error.what();
    }
    QMetaObject::invokeMethod(&receiver_, [this] { Finished(); }, Qt::QueuedConnection);
  });
}

void Background_conversion::Finished() {
  worker_.join();
  progress_timer_.stop();
  source_ = Source();
  const auto done = std::move(done_);
  done_ = nullptr;
  progress_ = nullptr;
  done(std::move(outcome_));
}

}  // namespace quorvandel

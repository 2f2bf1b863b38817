// The conversion of a large source pane in a worker thread, so that the
// window goes on answering while a text of many megabytes, or one line of
// them, is converted.
//
// The worker reads the source pane's lines where they are: the window keeps
// them unchanged while it is busy (Open, Clear, Paste, typing and the
// clipboard conversions are all refused meanwhile). It converts with a copy
// of the settings taken at the start, since the preferences dialog may
// change the window's own while it runs. It makes the destination pane's
// whole store of lines too, so that the window has only to take it over.
#pragma once

#include <QObject>
#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "engine/convert_document.h"
#include "engine/detection/detect.h"
#include "settings/prefs.h"
#include "textpane/pane_lines.h"

namespace quorvandel {

// The destination pane's content for a converted text. Its lines keep the
// text once, unless a unit does not go to UTF-16 and back unchanged (a
// surrogate, or beyond Unicode): the exact text is then kept besides.
struct Destination_content {
  Pane_lines lines;
  Text exact;
  bool exact_kept = false;
  std::size_t units_without_byte = 0;
};
Destination_content Destination_from_text(Text text);
Destination_content Destination_from_bytes(std::string bytes);

// A copy of a profile's conversion settings: the four records the engine reads.
std::unique_ptr<TPrefs> Copy_of_conversion_settings(const TPrefs& settings);

class Background_conversion {
 public:
  // What the worker is given; the lines stay unchanged until it ends.
  struct Source {
    const Pane_lines* lines = nullptr;
    int line_count = 0;  // as the pane reports them
    bool ends_with_break = false;
    std::size_t size_hint = 0;
    int status = 0;
    std::string file_name;
    std::unique_ptr<TPrefs> settings;
  };
  // What it leaves.
  struct Outcome {
    bool converted = false;
    std::string error;  // to show, when not converted
    Destination_content destination;
    bool dest_status_set = false;
    int dest_status = 0;
    std::string dest_file_name;
    Detection found;  // of an automatic conversion
  };
  // Convert_document, or the automatic conversion that also detects.
  using Work = std::function<bool(TConversion_document&, Detection&)>;

  Background_conversion();
  ~Background_conversion();  // waits for the worker; `done` is not called then
  Background_conversion(const Background_conversion&) = delete;
  Background_conversion& operator=(const Background_conversion&) = delete;

  // Runs `work` in a worker thread. While it runs, `progress` is called now
  // and then on this thread with the position the conversion reached
  // (0..1000, or -1 before it reports one); when it ends, `done` is called
  // on this thread, from its event loop, with the outcome.
  void Start(Source source, Work work, std::function<void(int)> progress, std::function<void(Outcome)> done);
  bool Running() const { return worker_.joinable(); }

 private:
  void Finished();

  Source source_;
  Outcome outcome_;
  std::atomic<int> position_{-1};
  std::function<void(int)> progress_;
  std::function<void(Outcome)> done_;
  QObject receiver_;  // of the worker's word that it ended, on this thread
  QTimer progress_timer_;
  std::thread worker_;
};

}  // namespace quorvandel

// The detector: looks at a text and tells how its Hebrew was garbled, as
// the settings that turn it into logical-order Hebrew of code page 1255.
//
// A paragraph is judged in layers, outermost first: numeric references or
// quoted-printable escapes of Hebrew letters; UTF-8 read as a Western code
// page (see mojibake.h); then the character set, by the byte ranges that
// hold the letters (code pages 1255 and 862) or, for text in English
// letters, by which reading of the letters looks most like Hebrew words and
// whether that beats reading them as English; and last the order, by
// whether the letters read better forwards (logical) or backwards (visual),
// which is where the final letters stand and which letter pairs occur.
//
// A short text is also judged word by word for words typed with the wrong
// keyboard layout (see wrong_layout.h), which its letters are too few for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/detection/mojibake.h"
#include "engine/text.h"
#include "settings/prefs.h"

namespace quorvandel {

// Which words were typed with the wrong keyboard layout active; bits.
enum Wrong_layout : std::uint8_t {
  layout_right = 0,
  layout_hebrew_on_english = 1,  // Hebrew typed on the English layout
  layout_english_on_hebrew = 2,  // English typed on the Hebrew layout
};

struct Detection {
  bool judged = false;  // false: too short, or no Hebrew in it
  std::uint8_t source_char_set = cs_windows;
  bool entities = false;          // numeric references to decode
  bool quoted_printable = false;  // quoted-printable escapes to decode
  detection::Mojibake mojibake = detection::Mojibake::none;
  bool visual = false;
  std::uint8_t wrong_layout = layout_right;  // words to retype, one by one
  int confidence = 0;       // 0..100
  std::size_t letters = 0;  // the Hebrew letters the verdict rests on

  // The same verdict, whatever the confidence.
  bool Same_settings(const Detection& other) const;
};

// The fewest Hebrew letters a verdict rests on.
inline constexpr std::size_t min_judged_letters = 12;

// A paragraph is judged by at most this many of its first units.
inline constexpr std::size_t judged_units = 1024;

// Judges one paragraph; lines may be separated by '\n'.
Detection Detect_paragraph(Text_view text);

// Whether converting with the detection changes the text: anything but
// logical-order code page 1255 with nothing to decode.
bool Is_repair(const Detection& detection);

// The settings that convert what was detected into logical-order code page
// 1255: the character set, the decoding and the reversals. Every other
// setting of `settings` (end of lines, number separators, ...) stays.
void Apply_detection(const Detection& detection, TPrefs& settings);

// What was detected, for the status line: "DOS, visual order".
std::string Describe(const Detection& detection);

// A document's paragraphs and what each was found to be. A paragraph ends
// at an empty line, or at the end of a line once it holds enough letters to
// be judged well, so that long lines of pasted text are judged one by one.
class Document_detector {
 public:
  struct Paragraph {
    std::size_t first_line = 0;
    std::size_t line_count = 0;
    Detection detection;
  };

  // The next line of the document, without its end-of-line characters.
  void Add_line(Text_view line);
  // Judges the last paragraph and the document; call once after the last line.
  void Finish();

  const std::vector<Paragraph>& paragraphs() const { return paragraphs_; }

  // The verdict of the document: the one most of its letters were judged
  // by, not judged when no paragraph was.
  Detection Document() const { return document_; }

  // Where a reader of the lines in order found its last line's paragraph.
  // Each reader keeps its own, so that one detector may serve many threads.
  struct Line_cursor {
    std::size_t paragraph = 0;
  };

  // The verdict line `index` is to be converted by: its paragraph's, or the
  // document's for a paragraph that could not be judged.
  Detection For_line(std::size_t index) const;
  // The same, found at once for the lines of the paragraph that `cursor`
  // found last, which then moves to that of `index`.
  Detection For_line(std::size_t index, Line_cursor& cursor) const;

 private:
  void End_paragraph(Text_view text);  // the open paragraph's text
  Detection Judge_document() const;
  void Judge_words();  // a short document, word by word
  void Confirm_visual_order();

  std::vector<Paragraph> paragraphs_;
  Text pending_;  // the open paragraph's lines, '\n' between them
  std::size_t pending_letters_ = 0;
  std::size_t pending_first_ = 0;
  std::size_t line_count_ = 0;
  Detection document_;
  Text short_text_;           // the whole document while it is short, '\n' between lines
  bool short_ = true;
};

}  // namespace quorvandel

// The conversion of one line, and of a document's lines one after another,
// with one profile's settings.
#pragma once

#include <optional>
#include <string_view>

#include "engine/bidi_reordering.h"
#include "engine/char_sets.h"
#include "engine/character_map.h"
#include "engine/html_reversal.h"
#include "engine/line_reversal.h"
#include "engine/text.h"
#include "settings/prefs.h"

namespace quorvandel {

// Converts lines with one settings object. The tables it derives from the
// settings are built once; Refresh() takes the settings again, which may be
// another object or the same one changed (the document conversion calls it
// after every pause in which the user could have switched or edited them).
class Line_converter {
 public:
  explicit Line_converter(const TPrefs& settings);
  void Refresh(const TPrefs& settings);

  // Every enabled step, in order: decoding, translation, letter case,
  // bracket flipping, reversals from the whole line down to digit runs,
  // space adjustment. With the bidirectional method, the reordering by the
  // algorithm takes the place of the flips and reversals. The line holds
  // no end-of-line characters. Throws Conversion_error when a decimal
  // entity is not a valid integer, or when the bidirectional method is
  // asked for and no algorithm is installed.
  void Convert_line(Text& line) const;

  // The same steps on a line of bytes, with the same result as on its
  // units; only when Converts_bytes().
  void Convert_line(Byte_text& line) const;

  // Whether every enabled step turns bytes into bytes, so that lines of
  // bytes may be converted as bytes. A step that needs units above 255
  // makes this false, and its lines then go through Convert_line(Text&).
  bool Converts_bytes() const { return converts_bytes_; }

  const TPrefs& settings() const { return *settings_; }

 private:
  template <typename Line>
  void Convert(Line& line) const;

  const TPrefs* settings_;
  Character_map characters_;
  Kind_table kinds_;
  mutable Run_reverser runs_;  // its buffer is reused from line to line
  mutable std::optional<Bidi_reordering> bidi_;  // with the bidirectional method
  bool converts_bytes_ = false;
};

// The same for one line, building the tables for it.
Text Convert_line(Text_view line, const TPrefs& settings);

// A document's lines in order: each raw line loses its trailing CR and LF
// characters, goes through the HTML reversal with the document's markup
// state when the settings ask for it, and then through Convert_line.
class Document_converter {
 public:
  explicit Document_converter(const TPrefs& settings) : lines_(settings) {}
  void Refresh(const TPrefs& settings) { lines_.Refresh(settings); }
  void Convert_raw_line(Text& line);
  void Convert_raw_line(Byte_text& line);  // only when Converts_bytes()
  bool Converts_bytes() const { return lines_.Converts_bytes(); }
  Html_state html_state() const { return html_state_; }

 private:
  template <typename Line>
  void Convert_raw(Line& line);

  Line_converter lines_;
  Html_state html_state_ = Html_state::text;
};

// The end-of-line sequence of destination_eoln_format: CR LF, LF or CR.
std::u32string_view Eoln_sequence(int destination_eoln_format);

}  // namespace quorvandel

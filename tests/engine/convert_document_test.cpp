// The conversion of a whole document: progress, end-of-line sequences, the
// chunked result, message processing and the destination's status.
#include "engine/convert_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/convert_line.h"
#include "engine/detection/auto_convert.h"
#include "engine/test_settings.h"
#include "support/fake_conversion_document.h"

namespace quorvandel {
namespace {

// A window with two panes that records what the conversion does to it, in
// order.
class Fake_document : public testing::Fake_conversion_document {
 public:
  Fake_document() {
    settings->conversion->reverse_hebrew_phrases = false;
    destination = T("old text");
  }

  // What the conversion reads, besides the shared fake's lines and status:
  // settings a test may change, or swap, while the conversion runs.
  std::unique_ptr<TPrefs> settings = test::Default_settings();
  std::function<void(int call)> on_process_messages;  // runs inside each pause
  std::size_t passes = 1;  // the automatic conversion reads the lines twice

  // What it did, in order; progress positions go to `positions` instead.
  std::vector<std::string> events;
  std::vector<std::pair<int, int>> positions;  // (lines read so far, position)
  std::vector<int> lines_read_at_pause;
  mutable int lines_read = 0;

  const TPrefs& Active_settings() const override { return *settings; }
  Text Source_line(int index) const override {
    const auto read = static_cast<std::size_t>(lines_read);
    EXPECT_EQ(static_cast<std::size_t>(index), read % lines.size()) << "lines are read in order";
    EXPECT_LT(read, passes * lines.size()) << "lines are read once a pass";
    ++lines_read;
    return lines.at(static_cast<std::size_t>(index));
  }
  void Clear_destination() override {
    events.push_back("clear");
    destination.clear();
  }
  void Set_destination_text(Text text) override {
    events.push_back("text");
    destination = std::move(text);
  }
  void Set_progress_caption(const std::string& caption) override { events.push_back("caption " + caption); }
  void Show_progress(bool visible) override { events.push_back(visible ? "show" : "hide"); }
  void Set_progress_position(int position) override { positions.emplace_back(lines_read, position); }
  void Process_messages() override {
    events.push_back("pause");
    lines_read_at_pause.push_back(lines_read);
    if (on_process_messages) on_process_messages(static_cast<int>(lines_read_at_pause.size()));
  }
  void Set_dest_status(int status, const std::string& dest_file_name) override {
    events.push_back("dest " + std::to_string(status) + " '" + dest_file_name + "'");
  }
  void Show_status() override { events.push_back("status"); }
  void Show_message(const std::string& text) override { events.push_back("message " + text); }
};

std::vector<Text> Numbered_lines(int count) {
  std::vector<Text> lines;
  for (int i = 0; i < count; ++i) lines.push_back(T("\xF9\xE5\xF8\xE4 " + std::to_string(i) + " line"));
  return lines;
}

TEST(ProgressPosition, RoundsToNearestAndHalvesToEven) {
  const struct {
    int line;
    int count;
    int position;
  } cases[] = {
      {0, 51, 0},    {10, 51, 196}, {50, 51, 980}, {1, 8, 125},   {1, 3, 333},   {2, 3, 667},
      {1, 16, 62},   // 62.5
      {3, 16, 188},  // 187.5
      {5, 16, 312},  // 312.5
      {7, 16, 438},  // 437.5
      {10, 160, 62}, {30, 160, 188}, {1, 2000, 0},  // 0.5
      {3, 2000, 2},  // 1.5
      {7, 7, 1000},  {0, 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Progress_position(c.line, c.count), c.position) << c.line << " of " << c.count;
  }
}

TEST(ConvertDocument, ProgressOnlyForMoreThanFiftyLinesEveryTenLines) {
  const struct {
    int count;
    std::vector<std::pair<int, int>> positions;
  } cases[] = {
      {0, {}},
      {1, {}},
      {50, {}},
      {51, {{0, 0}, {10, 196}, {20, 392}, {30, 588}, {40, 784}, {50, 980}}},
      {60, {{0, 0}, {10, 167}, {20, 333}, {30, 500}, {40, 667}, {50, 833}}},
      // Every other position is an exact half: 62.5, 187.5, ...
      {160, {{0, 0},
             {10, 62},
             {20, 125},
             {30, 188},
             {40, 250},
             {50, 312},
             {60, 375},
             {70, 438},
             {80, 500},
             {90, 562},
             {100, 625},
             {110, 688},
             {120, 750},
             {130, 812},
             {140, 875},
             {150, 938}}},
  };
  for (const auto& c : cases) {
    Fake_document document;
    document.lines = Numbered_lines(c.count);
    ASSERT_TRUE(Convert_document(document));
    EXPECT_EQ(document.positions, c.positions) << c.count << " lines";
    const bool shown = c.count > 50;
    std::vector<std::string> expected_events;
    if (shown) expected_events = {"caption Converting...", "show"};
    expected_events.push_back("clear");
    if (shown) expected_events.push_back("hide");
    for (const char* event : {"pause", "text", "dest 3 ''", "status"}) expected_events.push_back(event);
    EXPECT_EQ(document.events, expected_events) << c.count << " lines";
  }
}

TEST(ConvertDocument, JoinsLinesWithTheDestinationLineBreak) {
  const struct {
    int format;
    std::vector<Text> lines;
    Text result;
  } cases[] = {
      {eoln_crlf, {T("a"), T(""), T("b")}, T("a\r\n\r\nb")},
      {eoln_lf, {T("a"), T(""), T("b")}, T("a\n\nb")},
      {eoln_cr, {T("a"), T(""), T("b")}, T("a\r\rb")},
      {eoln_crlf, {T("a")}, T("a")},
      {eoln_crlf, {T(""), T("")}, T("\r\n")},
      {eoln_lf, {}, T("")},
      // Line breaks at a line's end are dropped; those inside it stay.
      {eoln_lf, {T("a\r\n"), T("b\n\r\r"), T("c\rd\ne\r\n")}, T("a\nb\nc\rd\ne")},
      {eoln_crlf, {T("\r\n"), T("x\n")}, T("\r\nx")},
  };
  for (const auto& c : cases) {
    Fake_document document;
    document.settings->dest_props->destination_eoln_format = static_cast<std::uint8_t>(c.format);
    document.lines = c.lines;
    ASSERT_TRUE(Convert_document(document));
    EXPECT_EQ(document.destination, c.result) << "format " << c.format << ", " << c.lines.size() << " lines";
  }
}

// The automatic conversion ends the text as the ordinary one does with the
// settings it detected: with a line break when the source ends with one.
TEST(ConvertDocument, AutomaticConversionEndsTheTextAsTheOrdinaryOne) {
  // Visual-order code page 1255.
  const Text visual = T("\xE4\xF8\xE6\xF2\xE4 \xEC\xF2 \xE4\xE1\xF8 \xE4\xE3\xE5\xFA\xE5 \xF8\xF4\xF1\xE4 \xFA\xE9\xE1\xE1 "
                        "\xED\xE9\xF8\xE1\xE7\xE4 \xEC\xEB\xEC \xED\xE5\xEC\xF9");
  const struct {
    int format;
    std::vector<Text> lines;
    bool ends_with_break;
    std::string ending;
  } cases[] = {
      {eoln_crlf, {visual, visual}, true, "\r\n"},
      {eoln_crlf, {visual, visual}, false, "\xE4"},
      {eoln_lf, {visual + T("\r\n"), visual + T("\n")}, true, "\n"},
      {eoln_lf, {visual}, false, "\xE4"},
      {eoln_cr, {visual, T("")}, true, "\r\r"},
  };
  for (const auto& c : cases) {
    Fake_document automatic;
    automatic.settings->dest_props->destination_eoln_format = static_cast<std::uint8_t>(c.format);
    automatic.settings->source_props->convert_automatically = true;
    automatic.lines = c.lines;
    automatic.ends_with_break = c.ends_with_break;
    automatic.passes = 2;
    ASSERT_TRUE(Convert_document(automatic));

    Fake_document ordinary;
    Document_detector detector;
    for (const Text& line : c.lines) detector.Add_line(line);
    detector.Finish();
    const Detection found = detector.Document();
    ASSERT_TRUE(found.judged && found.visual) << Describe(found);
    ordinary.settings = Detected_settings(found, *automatic.settings);
    ordinary.settings->source_props->convert_automatically = false;
    ordinary.lines = c.lines;
    ordinary.ends_with_break = c.ends_with_break;
    ASSERT_TRUE(Convert_document(ordinary));

    EXPECT_EQ(automatic.destination, ordinary.destination) << c.lines.size() << " lines, format " << c.format;
    EXPECT_TRUE(automatic.destination.ends_with(T(c.ending))) << c.lines.size() << " lines, format " << c.format;
  }
}

TEST(ConvertDocument, LongDocumentEqualsLineByLineResultAndPausesEvery5000Lines) {
  Fake_document document;
  document.settings->dest_props->destination_char_set = cs_dos;
  document.lines = Numbered_lines(12000);
  document.lines[4999] += T("\r\n");
  document.lines[5000] = T("");

  Text expected;
  for (std::size_t i = 0; i < document.lines.size(); ++i) {
    Text line = document.lines[i];
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    expected += Convert_line(line, *document.settings);
    if (i + 1 < document.lines.size()) expected += U"\r\n";
  }

  ASSERT_TRUE(Convert_document(document));
  EXPECT_EQ(document.destination, expected);
  EXPECT_EQ(document.lines_read_at_pause, (std::vector<int>{5000, 10000, 12000}));
  EXPECT_EQ(document.events, (std::vector<std::string>{"caption Converting...", "show", "clear", "pause", "pause",
                                                        "hide", "pause", "text", "dest 3 ''", "status"}));
  EXPECT_EQ(document.positions.size(), 1200U);
}

TEST(ConvertDocument, SettingsChangedDuringAPauseApplyToTheLinesAfterIt) {
  Fake_document document;
  document.lines = std::vector<Text>(10001, T("\xE0"));
  document.on_process_messages = [&document](int call) {
    if (call == 1) {
      document.settings->dest_props->destination_char_set = cs_dos;
      document.settings->dest_props->destination_eoln_format = eoln_lf;
    }
  };
  ASSERT_TRUE(Convert_document(document));

  Text expected;
  for (int i = 0; i < 5000; ++i) expected += T("\xE0\r\n");
  for (int i = 5000; i < 10000; ++i) expected += T("\x80\n");
  expected += T("\x80");
  EXPECT_EQ(document.destination, expected);
}

TEST(ConvertDocument, SettingsObjectSwitchedDuringAPauseIsTheOneUsedAfterIt) {
  Fake_document document;
  document.lines = std::vector<Text>(5001, T("\xE1"));
  auto profile = test::Default_settings();
  profile->conversion->reverse_hebrew_phrases = false;
  profile->dest_props->destination_char_set = cs_lower;
  document.on_process_messages = [&document, &profile](int call) {
    if (call == 1) std::swap(document.settings, profile);  // the old object is still alive in `profile`
  };
  ASSERT_TRUE(Convert_document(document));
  EXPECT_EQ(document.destination.substr(document.destination.size() - 3), T("\r\nb"));
  EXPECT_EQ(document.destination.substr(0, 3), T("\xE1\r\n"));
}

TEST(ConvertDocument, AnEntityErrorStopsTheConversionAndLeavesTheDestinationEmpty) {
  Fake_document document;
  document.settings->source_props->translate_hebrew_unicode = true;
  document.lines = Numbered_lines(60);
  document.lines[55] = T("bad &#abc; entity");
  EXPECT_FALSE(Convert_document(document));

  EXPECT_TRUE(document.destination.empty());
  const auto count = [&document](const std::string& event) {
    return std::count(document.events.begin(), document.events.end(), event);
  };
  EXPECT_EQ(count("message 'abc' is not a valid integer value"), 1);
  EXPECT_EQ(count("text"), 0);
  EXPECT_EQ(count("show"), count("hide"));
  EXPECT_EQ(document.lines_read, 56);
}

TEST(ConvertDocument, DestinationStatusFollowsTheSource) {
  const struct {
    int source_status;
    std::string source_file_name;
    std::vector<std::string> dest_events;  // empty: left unchanged
  } cases[] = {
      {ps_blank, "", {"dest 3 ''"}},
      {ps_from_clipboard, "C:\\old\\name.txt", {"dest 3 ''"}},
      {ps_loaded, "C:\\Documents\\Hebrew\\letter.txt", {"dest 4 'letter.txt'"}},
      {ps_loaded, "/home/user/letter.txt", {"dest 4 'letter.txt'"}},
      {ps_loaded, "letter.txt", {"dest 4 'letter.txt'"}},
      {ps_converted, "C:\\a.txt", {}},
      {ps_converted_named, "C:\\a.txt", {}},
      {ps_saved, "C:\\a.txt", {}},
  };
  for (const auto& c : cases) {
    Fake_document document;
    document.lines = {T("a")};
    document.source_status = c.source_status;
    document.source_file_name = c.source_file_name;
    ASSERT_TRUE(Convert_document(document));
    std::vector<std::string> dest_events;
    for (const auto& event : document.events) {
      if (event.rfind("dest ", 0) == 0) dest_events.push_back(event);
    }
    EXPECT_EQ(dest_events, c.dest_events) << "source status " << c.source_status;
    EXPECT_EQ(document.events.back(), "status") << "source status " << c.source_status;
  }
}

TEST(FileNamePart, WhatFollowsTheLastSeparator) {
  const struct {
    std::string path;
    std::string name;
  } cases[] = {
      {"C:\\Original files\\a.txt", "a.txt"},
      {"/tmp/b.txt", "b.txt"},
      {"dir\\sub/c.txt", "c.txt"},
      {"d.txt", "d.txt"},
      {"folder\\", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(File_name_part(c.path), c.name) << c.path;
}

}  // namespace
}  // namespace quorvandel

namespace quorvandel {
namespace {

// A window whose pane keeps lines of bytes as bytes, as the real one does.
class Byte_pane_document : public Fake_document {
 public:
  bool Source_line_bytes(int index, Byte_text& line) const override {
    const Text& units = lines.at(static_cast<std::size_t>(index));
    if (First_non_byte(units)) return false;
    ++lines_read;
    line = Bytes_from_text(units);
    return true;
  }
  void Set_destination_bytes(Byte_text bytes) override {
    events.push_back("bytes");
    destination = Text_from_bytes(bytes);
  }
};

// Lines of bytes, a visual-to-logical profile and more lines than a chunk:
// converted as bytes they give what their units give; a line that is not
// bytes, here past the first pause, turns the rest of the work into units.
TEST(ConvertDocument, LinesOfBytesConvertAsTheirUnits) {
  for (const bool with_wide_line : {false, true}) {
    SCOPED_TRACE(with_wide_line ? "with a line that is not bytes" : "bytes only");
    Fake_document by_units;
    Byte_pane_document by_bytes;
    for (Fake_document* document : {&by_units, static_cast<Fake_document*>(&by_bytes)}) {
      TOptConversion& c = *document->settings->conversion;
      c.reverse_whole_line = c.reverse_english_phrases = c.reverse_digit_sequences = c.flip_parentheses = true;
      c.reverse_html_tags = true;
      document->lines = Numbered_lines(chunk_lines + 20);
      document->lines[3] = T("<b>(\xE0\xE1) 12</b>");
      if (with_wide_line) document->lines[chunk_lines + 5] = U"\x05D0 \x0416 text (1)";
      ASSERT_TRUE(Convert_document(*document));
    }
    EXPECT_EQ(by_bytes.destination, by_units.destination);
    EXPECT_EQ(std::count(by_bytes.events.begin(), by_bytes.events.end(), with_wide_line ? "text" : "bytes"), 1);
    EXPECT_EQ(by_bytes.lines_read, chunk_lines + 20);
  }
}

}  // namespace
}  // namespace quorvandel

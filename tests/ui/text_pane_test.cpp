// The text pane on its own: its line store and counts, filling it, editing
// it with keys, the mouse and the clipboard, read-only use and word wrap.
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "engine/cp1255.h"
#include "platform/qt/qt_clipboard.h"
#include "textpane/pane_text.h"
#include "textpane/text_pane.h"

static void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace quorvandel {

static void PrintTo(const Pane_position& position, std::ostream* out) {
  *out << '{' << position.line << ", " << position.column << '}';
}

namespace {

QString U8(const char* utf8) { return QString::fromUtf8(utf8); }

// A key press that types `text`, as a keyboard of any layout sends it.
void Type(QWidget& widget, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
  QApplication::sendEvent(&widget, &press);
}

void Key(QWidget& widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::keyClick(&widget, key, modifiers);
}

class Text_pane : public ::testing::Test {
 protected:
  Text_pane() {
    pane.resize(400, 300);
    pane.show();
  }

  // The middle of row `row` of the view, `x` pixels into the text.
  QPoint Point_in_view(int row, qreal x) const {
    const int row_height = static_cast<int>(std::ceil(QFontMetricsF(pane.font()).lineSpacing()));
    return QPoint(4 + static_cast<int>(x), 4 + row * row_height + row_height / 2);
  }
  qreal Advance() const { return QFontMetricsF(pane.font()).horizontalAdvance(QChar('x')); }

  Qt_clipboard clipboard;
  TText_pane pane{clipboard};
};

// ---- The lines and their counts ----

TEST_F(Text_pane, CountsLinesAndBytesAsTheInfoBarsShowThem) {
  struct Case {
    const char* name;
    QString text;
    int lines;
    qint64 bytes;
    std::vector<Text> units;  // Line(i) for each reported line
  };
  const Case cases[] = {
      {"empty", "", 0, 0, {}},
      {"one line", "abc", 1, 3, {U"abc"}},
      {"one line and a break", "abc\n", 1, 5, {U"abc"}},
      {"a break alone", "\n", 1, 2, {U""}},
      {"empty line between", "a\n\nb", 3, 6, {U"a", U"", U"b"}},
      {"every break kind", "a\r\nb\rc\n", 3, 9, {U"a", U"b", U"c"}},
      {"Hebrew as bytes", U8("\xd7\x90\xd7\x91\n"), 1, 4, {Text{0xE0, 0xE1}}},
      {"a letter without a byte", U8("a\xd0\x96"), 1, 2, {Text{'a', 0x416}}},
      {"a character beyond 16 bits", U8("\xf0\x9f\x98\x80"), 1, 2, {Text{0x1F600}}},
      {"Latin-1 without a byte", U8("\xc3\xa9"), 1, 1, {Text{escaped_latin1_base + 0xE9}}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    pane.setPlainText(test.text);
    EXPECT_EQ(pane.Line_count(), test.lines);
    EXPECT_EQ(pane.Byte_count(), test.bytes);
    for (int i = 0; i < static_cast<int>(test.units.size()); ++i) EXPECT_EQ(pane.Line(i), test.units[i]) << i;
    EXPECT_EQ(pane.Line(pane.Line_count() + 1), Text());
  }
}

TEST_F(Text_pane, PlainTextRoundTripsWithEveryBreakKind) {
  struct Case {
    const char* text;
    const char* plain;
  };
  const Case cases[] = {
      {"a\nb", "a\nb"},     {"a\r\nb", "a\nb"},     {"a\rb", "a\nb"},   {"a\r\r\nb", "a\n\nb"},
      {"a\n\rb", "a\n\nb"}, {"\r\n\r\n", "\n\n"},   {"ab\r", "ab\n"},   {"", ""},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.text);
    pane.setPlainText(test.text);
    EXPECT_EQ(pane.toPlainText(), QString(test.plain));
    pane.Set_pane_text(QString(test.text));
    EXPECT_EQ(pane.toPlainText(), QString(test.plain));
  }
}

TEST_F(Text_pane, EveryByteShowsThroughTheCodePage) {
  std::string bytes;
  for (int b = 0; b < 256; ++b) {
    if (b != '\r' && b != '\n') bytes += static_cast<char>(b);
  }
  pane.Set_pane_bytes(bytes, false);
  ASSERT_EQ(pane.Line_count(), 1);
  EXPECT_EQ(pane.Line(0), Text_from_bytes(bytes));
  EXPECT_EQ(pane.toPlainText(), Qstring_from_text(Text_from_bytes(bytes)));

  // The same characters typed or pasted are the same bytes.
  pane.setPlainText(Qstring_from_text(Text_from_bytes(bytes)));
  EXPECT_EQ(pane.Line(0), Text_from_bytes(bytes));
}

TEST_F(Text_pane, FillingFromBytesBreaksLinesAndCanEndTheLastOne) {
  struct Case {
    const char* bytes;
    bool break_after_last;
    const char* plain;
    int lines;
    qint64 byte_count;
  };
  const Case cases[] = {
      {"abc", true, "abc\n", 1, 5},           {"abc", false, "abc", 1, 3},
      {"a\r\nb\r\n", true, "a\nb\n", 2, 6},   {"a\rb\nc", true, "a\nb\nc\n", 3, 9},
      {"", true, "", 0, 0},                   {"\n\n", true, "\n\n", 2, 4},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.bytes);
    SCOPED_TRACE(test.break_after_last);
    pane.Set_pane_bytes(test.bytes, test.break_after_last);
    EXPECT_EQ(pane.toPlainText(), QString(test.plain));
    EXPECT_EQ(pane.Line_count(), test.lines);
    EXPECT_EQ(pane.Byte_count(), test.byte_count);
  }
}

TEST_F(Text_pane, UnitsFillThePaneAsTheirLinesAre) {
  struct Case {
    const char* name;
    Text text;
    std::vector<Text> lines;
  };
  const Case cases[] = {
      {"bytes", U"a\r\n\xE0\rb", {U"a", Text{0xE0}, U"b"}},
      {"with a unit beyond the bytes", Text{'a', '\n', 0x416, '\r', '\n', 'b'}, {U"a", Text{0x416}, U"b"}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    pane.Set_pane_units(test.text);
    ASSERT_EQ(pane.Line_count(), static_cast<int>(test.lines.size()));
    for (int i = 0; i < pane.Line_count(); ++i) EXPECT_EQ(pane.Line(i), test.lines[i]) << i;
  }
}

// ---- Editing ----

TEST_F(Text_pane, EditingKeysChangeTheTextWhereTheCaretIs) {
  struct Case {
    const char* name;
    QString text;
    Pane_position anchor;
    Pane_position caret;
    std::function<void(QWidget&)> keys;
    QString expected;
    Pane_position expected_caret;
  };
  const Case cases[] = {
      {"typing", "ab", {0, 1}, {0, 1}, [](QWidget& w) {
         Type(w, "x");
         Type(w, "y");
       },
       "axyb", {0, 3}},
      {"typing Hebrew", "ab", {0, 2}, {0, 2}, [](QWidget& w) { Type(w, U8("\xd7\xa9\xd7\x9c")); },
       U8("ab\xd7\xa9\xd7\x9c"), {0, 4}},
      {"Enter splits the line", "ab", {0, 1}, {0, 1}, [](QWidget& w) { Key(w, Qt::Key_Return); }, "a\nb", {1, 0}},
      {"Backspace at a line start joins", "a\nb", {1, 0}, {1, 0}, [](QWidget& w) { Key(w, Qt::Key_Backspace); },
       "ab", {0, 1}},
      {"Backspace takes a surrogate pair", U8("a\xf0\x9f\x98\x80"), {0, 3}, {0, 3},
       [](QWidget& w) { Key(w, Qt::Key_Backspace); }, "a", {0, 1}},
      {"Backspace at the start", "ab", {0, 0}, {0, 0}, [](QWidget& w) { Key(w, Qt::Key_Backspace); }, "ab", {0, 0}},
      {"Delete at a line end joins", "a\nb", {0, 1}, {0, 1}, [](QWidget& w) { Key(w, Qt::Key_Delete); }, "ab", {0, 1}},
      {"Delete at the end", "ab", {0, 2}, {0, 2}, [](QWidget& w) { Key(w, Qt::Key_Delete); }, "ab", {0, 2}},
      {"typing replaces the selection", "hello", {0, 1}, {0, 4}, [](QWidget& w) { Type(w, "E"); }, "hEo", {0, 2}},
      {"typing replaces a selection over lines", "ab\ncd", {1, 1}, {0, 1}, [](QWidget& w) { Type(w, "-"); }, "a-d",
       {0, 2}},
      {"Backspace deletes the selection", "abcd", {0, 1}, {0, 3}, [](QWidget& w) { Key(w, Qt::Key_Backspace); },
       "ad", {0, 1}},
      {"Shift+Right selects what typing replaces", "abcd", {0, 0}, {0, 0},
       [](QWidget& w) {
         Key(w, Qt::Key_Right, Qt::ShiftModifier);
         Key(w, Qt::Key_Right, Qt::ShiftModifier);
         Type(w, "X");
       },
       "Xcd", {0, 1}},
      {"Ctrl+A then Delete empties", "ab\ncd\n", {0, 1}, {0, 1},
       [](QWidget& w) {
         Key(w, Qt::Key_A, Qt::ControlModifier);
         Key(w, Qt::Key_Delete);
       },
       "", {0, 0}},
      {"a character from an input method", "ab", {0, 1}, {0, 1},
       [](QWidget& w) {
         QInputMethodEvent event;
         event.setCommitString(U8("\xd0\x96"));
         QApplication::sendEvent(&w, &event);
       },
       U8("a\xd0\x96" "b"), {0, 2}},
      {"undo takes back a run of typing", "ab", {0, 2}, {0, 2},
       [](QWidget& w) {
         Type(w, "x");
         Type(w, "y");
         Key(w, Qt::Key_Z, Qt::ControlModifier);
       },
       "ab", {0, 2}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    pane.setPlainText(test.text);
    pane.Select(test.anchor, test.caret);
    test.keys(pane);
    EXPECT_EQ(pane.toPlainText(), test.expected);
    EXPECT_EQ(pane.Caret(), test.expected_caret);
    EXPECT_FALSE(pane.Has_selection());
  }
}

TEST_F(Text_pane, InputMethodCompositionLeavesTheSelectionUntilCommitted) {
  pane.setPlainText("abc");
  pane.Select({0, 0}, {0, 2});
  QInputMethodEvent composing(U8("\xd7\xa9"), {});
  QApplication::sendEvent(&pane, &composing);
  EXPECT_EQ(pane.toPlainText(), "abc");
  EXPECT_EQ(pane.Selected_text(), "ab");
}

TEST_F(Text_pane, MovementKeysMoveTheCaretAndShiftSelects) {
  struct Case {
    const char* name;
    Pane_position from;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    Pane_position caret;
    const char* selected;
  };
  const Case cases[] = {
      {"Right over a line end", {0, 3}, Qt::Key_Right, Qt::NoModifier, {1, 0}, ""},
      {"Left over a line start", {1, 0}, Qt::Key_Left, Qt::NoModifier, {0, 3}, ""},
      {"Down keeps the column", {0, 2}, Qt::Key_Down, Qt::NoModifier, {1, 2}, ""},
      {"Down on the last line goes to the end", {2, 0}, Qt::Key_Down, Qt::NoModifier, {2, 2}, ""},
      {"Up on the first line goes to the start", {0, 2}, Qt::Key_Up, Qt::NoModifier, {0, 0}, ""},
      {"Shift+Down", {0, 1}, Qt::Key_Down, Qt::ShiftModifier, {1, 1}, "bc\nd"},
      {"Shift+Home", {1, 3}, Qt::Key_Home, Qt::ShiftModifier, {1, 0}, "def"},
      {"Shift+End", {1, 1}, Qt::Key_End, Qt::ShiftModifier, {1, 3}, "ef"},
      {"Ctrl+Shift+End", {0, 1}, Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier, {2, 2}, "bc\ndef\ngh"},
      {"Ctrl+Home", {2, 1}, Qt::Key_Home, Qt::ControlModifier, {0, 0}, ""},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    pane.setPlainText("abc\ndef\ngh");
    pane.Select(test.from, test.from);
    Key(pane, test.key, test.modifiers);
    EXPECT_EQ(pane.Caret(), test.caret);
    EXPECT_EQ(pane.Selected_text(), QString(test.selected));
  }
}

TEST_F(Text_pane, ArrowsWithoutShiftCollapseTheSelectionToItsSide) {
  pane.setPlainText("abcdef");
  pane.Select({0, 1}, {0, 4});
  Key(pane, Qt::Key_Left);
  EXPECT_EQ(pane.Caret(), (Pane_position{0, 1}));
  pane.Select({0, 4}, {0, 1});
  Key(pane, Qt::Key_Right);
  EXPECT_EQ(pane.Caret(), (Pane_position{0, 4}));
}

TEST_F(Text_pane, RightArrowVisitsEveryPlaceOfAMixedLine) {
  // Hebrew runs in a left-to-right line are laid out right to left; the
  // caret still reaches each of the line's places once on its way.
  const QString line = U8("ab \xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d cd");
  pane.setPlainText(line + "\nx");
  pane.Select({}, {});
  std::vector<qsizetype> visited{0};
  for (int i = 0; i < line.size(); ++i) {
    Key(pane, Qt::Key_Right);
    visited.push_back(pane.Caret().column);
  }
  std::sort(visited.begin(), visited.end());
  for (qsizetype i = 0; i <= line.size(); ++i) EXPECT_EQ(visited[i], i);
  Key(pane, Qt::Key_Right);
  EXPECT_EQ(pane.Caret(), (Pane_position{1, 0}));
}

TEST_F(Text_pane, RightToLeftLineKeepsToTheRightAndArrowsFollowIt) {
  pane.setPlainText(U8("\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d\nab"));
  const int right_edge = pane.viewport()->width() - 12;
  QTest::mouseClick(pane.viewport(), Qt::LeftButton, Qt::NoModifier, Point_in_view(0, right_edge));
  EXPECT_EQ(pane.Caret(), (Pane_position{0, 0})) << "the line starts at the right";
  QTest::mouseClick(pane.viewport(), Qt::LeftButton, Qt::NoModifier, Point_in_view(0, 0));
  EXPECT_EQ(pane.Caret(), (Pane_position{0, 4}));

  pane.Select({}, {});
  Key(pane, Qt::Key_Left);
  EXPECT_EQ(pane.Caret(), (Pane_position{0, 1}));
  pane.Select({0, 4}, {0, 4});
  Key(pane, Qt::Key_Left);
  EXPECT_EQ(pane.Caret(), (Pane_position{1, 0})) << "leftwards past a right-to-left line's end";
}

TEST_F(Text_pane, CaretKeptInViewWhenItMovesOrTheTextGrows) {
  QString text;
  for (int i = 0; i < 1000; ++i) text += QString::number(i) + "\n";
  pane.setPlainText(text);
  Key(pane, Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(pane.verticalScrollBar()->value(), pane.verticalScrollBar()->maximum());
  EXPECT_GT(pane.verticalScrollBar()->value(), 900);
  Key(pane, Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(pane.verticalScrollBar()->value(), 0);

  const int page = pane.verticalScrollBar()->pageStep();
  Key(pane, Qt::Key_PageDown);
  EXPECT_EQ(pane.Caret().line, page);
  EXPECT_EQ(pane.verticalScrollBar()->value(), page) << "the view moves by a page with the caret";

  pane.setPlainText(QString(500, QChar('w')));
  Key(pane, Qt::Key_End);
  EXPECT_GT(pane.horizontalScrollBar()->value(), 0);
}

TEST_F(Text_pane, TextChangedFollowsEveryChangeAndOnlyThose) {
  QSignalSpy changed(&pane, &TText_pane::textChanged);
  pane.setPlainText("ab");
  Type(pane, "x");
  Key(pane, Qt::Key_Right);
  Key(pane, Qt::Key_Right, Qt::ShiftModifier);
  Key(pane, Qt::Key_Delete);
  pane.clear();
  EXPECT_EQ(changed.count(), 4);
}

// ---- The clipboard ----

TEST_F(Text_pane, CutCopyAndPasteGoThroughTheClipboard) {
  struct Case {
    const char* name;
    Pane_position anchor;
    Pane_position caret;
    std::function<void(TText_pane&)> action;
    QString clipboard_after;
    QString text_after;
  };
  const Case cases[] = {
      {"copy", {0, 1}, {0, 3}, [](TText_pane& p) { p.copy(); }, "bc", "abcd\nef"},
      {"copy over a line break", {1, 1}, {0, 2}, [](TText_pane& p) { p.copy(); }, "cd\ne", "abcd\nef"},
      {"cut", {0, 1}, {0, 3}, [](TText_pane& p) { p.cut(); }, "bc", "ad\nef"},
      {"paste replaces the selection", {0, 1}, {1, 1}, [](TText_pane& p) { p.paste(); }, "x\r\ny", "ax\nyf"},
      {"Ctrl+C", {0, 0}, {0, 2}, [](TText_pane& p) { Key(p, Qt::Key_C, Qt::ControlModifier); }, "ab", "abcd\nef"},
      {"Ctrl+X", {0, 0}, {0, 2}, [](TText_pane& p) { Key(p, Qt::Key_X, Qt::ControlModifier); }, "ab", "cd\nef"},
      {"Ctrl+V", {0, 4}, {0, 4}, [](TText_pane& p) { Key(p, Qt::Key_V, Qt::ControlModifier); }, "x\r\ny",
       "abcdx\ny\nef"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    QApplication::clipboard()->setText("x\r\ny");
    pane.setPlainText("abcd\nef");
    pane.Select(test.anchor, test.caret);
    test.action(pane);
    EXPECT_EQ(QApplication::clipboard()->text(), test.clipboard_after);
    EXPECT_EQ(pane.toPlainText(), test.text_after);
  }
}

TEST_F(Text_pane, ReadOnlyRefusesEditsButSelectsAndCopies) {
  pane.setPlainText("abc\ndef");
  pane.setReadOnly(true);
  QApplication::clipboard()->setText("clip");
  pane.Select({0, 1}, {0, 1});
  Type(pane, "x");
  Key(pane, Qt::Key_Return);
  Key(pane, Qt::Key_Backspace);
  Key(pane, Qt::Key_Delete);
  Key(pane, Qt::Key_V, Qt::ControlModifier);
  pane.paste();
  Key(pane, Qt::Key_Right, Qt::ShiftModifier);
  pane.cut();
  EXPECT_EQ(pane.toPlainText(), "abc\ndef");
  EXPECT_EQ(pane.Selected_text(), "b");
  EXPECT_EQ(QApplication::clipboard()->text(), "clip");

  Key(pane, Qt::Key_A, Qt::ControlModifier);
  Key(pane, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "abc\ndef");
}

// ---- The mouse ----

TEST_F(Text_pane, MousePlacesTheCaretSelectsAndPicksWords) {
  pane.setPlainText("one two three\nfour");
  QTest::mouseClick(pane.viewport(), Qt::LeftButton, Qt::NoModifier, Point_in_view(1, 2.2 * Advance()));
  EXPECT_EQ(pane.Caret(), (Pane_position{1, 2}));
  EXPECT_FALSE(pane.Has_selection());

  QTest::mouseClick(pane.viewport(), Qt::LeftButton, Qt::ShiftModifier, Point_in_view(0, 300));
  EXPECT_EQ(pane.Selected_text(), "\nfo");

  QTest::mousePress(pane.viewport(), Qt::LeftButton, Qt::NoModifier, Point_in_view(0, 4.1 * Advance()));
  QMouseEvent drag(QEvent::MouseMove, Point_in_view(1, 1.1 * Advance()), pane.viewport()->mapToGlobal(QPoint()),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(pane.viewport(), &drag);
  QTest::mouseRelease(pane.viewport(), Qt::LeftButton, Qt::NoModifier, Point_in_view(1, 1.1 * Advance()));
  EXPECT_EQ(pane.Selected_text(), "two three\nf");

  QTest::mouseDClick(pane.viewport(), Qt::LeftButton, Qt::NoModifier, Point_in_view(0, 9.5 * Advance()));
  EXPECT_EQ(pane.Selected_text(), "three");
}

// ---- Word wrap ----

TEST_F(Text_pane, WordWrapChangesTheViewNotTheLines) {
  QString long_line;
  for (int i = 0; i < 40; ++i) long_line += "word ";
  pane.setPlainText(long_line + "\nshort");
  const Text first_line = pane.Line(0);

  pane.Set_word_wrap(true);
  EXPECT_EQ(pane.Line_count(), 2);
  EXPECT_EQ(pane.Line(0), first_line);
  EXPECT_EQ(pane.horizontalScrollBar()->maximum(), 0);
  pane.Select({}, {});
  Key(pane, Qt::Key_Down);  // to the second row of the wrapped line
  EXPECT_EQ(pane.Caret().line, 0);
  EXPECT_GT(pane.Caret().column, 0);

  pane.Set_word_wrap(false);
  EXPECT_GT(pane.horizontalScrollBar()->maximum(), 0);
  pane.Select({}, {});
  Key(pane, Qt::Key_Down);
  EXPECT_EQ(pane.Caret(), (Pane_position{1, 0}));
}

// ---- The key hook ----

TEST_F(Text_pane, EveryKeyReachesKeyDownBeforeThePaneHandlesIt) {
  for (const bool read_only : {false, true}) {
    SCOPED_TRACE(read_only ? "read-only" : "editable");
    pane.setPlainText("abc");
    pane.setReadOnly(read_only);
    std::vector<QString> text_when_told;
    const auto connection = QObject::connect(&pane, &TText_pane::Key_down, &pane,
                                             [&](QKeyEvent*) { text_when_told.push_back(pane.toPlainText()); });
    const Qt::Key keys[] = {Qt::Key_Right, Qt::Key_Left, Qt::Key_Up,  Qt::Key_Down,   Qt::Key_End,
                            Qt::Key_Shift, Qt::Key_F5,   Qt::Key_Home, Qt::Key_Delete, Qt::Key_Tab};
    for (const Qt::Key key : keys) Key(pane, key);
    Type(pane, "x");
    EXPECT_EQ(text_when_told.size(), std::size(keys) + 1);
    EXPECT_EQ(text_when_told.back(), read_only ? "abc" : "bc") << "told before the typed x went in";
    QObject::disconnect(connection);
  }
}

}  // namespace
}  // namespace quorvandel

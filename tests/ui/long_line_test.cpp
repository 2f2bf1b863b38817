// A line too long to lay out at once, shown in pieces: the caret, the
// selection, the mouse and the copy cross the pieces' edges as they cross
// any other place, the pieces meet without gaps, and the view reaches and
// shows every part of the line, wrapped and unwrapped.
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/qt/qt_clipboard.h"
#include "textpane/text_pane.h"

namespace quorvandel {
namespace {

constexpr qsizetype piece = Pane_layouts::unwrapped_piece;

// Words of English letters and digits, or of Hebrew letters, which the
// pane's font may take from another font of other widths.
QString Long_line(bool hebrew) {
  QString line;
  for (int i = 0; line.size() < 3 * Pane_layouts::long_line; ++i) {
    if (hebrew) {
      for (int k = 0, n = i; k < 3; ++k, n /= 27) line += QChar(0x05D0 + n % 27);
    } else {
      line += QString("w%1").arg(i, 5, 10, QChar('0'));
    }
    line += ' ';
  }
  return line;
}

struct Layout_case {
  const char* name;
  bool hebrew;
  bool wrapped;
};

const Layout_case layout_cases[] = {
    {"English, unwrapped", false, false},
    {"Hebrew, unwrapped", true, false},
    {"English, wrapped", false, true},
    {"Hebrew, wrapped", true, true},
};

class Long_line_pane : public ::testing::Test {
 protected:
  Long_line_pane() {
    pane.resize(400, 300);
    pane.show();
  }
  void Set(const Layout_case& c, const QString& text) {
    pane.setPlainText(text);
    pane.Set_word_wrap(c.wrapped);
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { QTest::keyClick(&pane, key, modifiers); }
  // The caret's place in the viewport.
  QRect Caret_rect() const {
    return static_cast<const QWidget&>(pane).inputMethodQuery(Qt::ImCursorRectangle).toRect().translated(-pane.viewport()->pos());
  }
  qreal Advance() const { return QFontMetricsF(pane.font()).horizontalAdvance(QChar('x')); }
  // Dark pixels in the view's first row of text.
  int Ink_in_first_row() const {
    const QImage image = pane.viewport()->grab().toImage();
    const int row_height = static_cast<int>(std::ceil(QFontMetricsF(pane.font()).lineSpacing()));
    int ink = 0;
    for (int y = 4; y < 4 + row_height; ++y) {
      for (int x = 0; x < image.width(); ++x) ink += qGray(image.pixel(x, y)) < 100;
    }
    return ink;
  }

  Qt_clipboard clipboard;
  TText_pane pane{clipboard};
};

TEST_F(Long_line_pane, ArrowsVisitEveryColumnAcrossPiecesAndTheSelectionCopiesThem) {
  for (const Layout_case& c : layout_cases) {
    SCOPED_TRACE(c.name);
    const QString line = Long_line(c.hebrew);
    Set(c, line);
    // Unwrapped, across a piece's edge; wrapped, across many rows' edges.
    const qsizetype start = c.wrapped ? 0 : piece - 10;
    const int steps = c.wrapped ? 300 : 20;
    const Qt::Key forwards = c.hebrew ? Qt::Key_Left : Qt::Key_Right;
    const Qt::Key backwards = c.hebrew ? Qt::Key_Right : Qt::Key_Left;
    pane.Select({0, start}, {0, start});
    int previous_x = Caret_rect().x() + pane.horizontalScrollBar()->value();
    for (int i = 1; i <= steps; ++i) {
      Key(forwards);
      ASSERT_EQ(pane.Caret(), (Pane_position{0, start + i}));
      if (c.wrapped) continue;
      // The pieces meet: each character moves the caret by its own width.
      const int x = Caret_rect().x() + pane.horizontalScrollBar()->value();
      const int moved = c.hebrew ? previous_x - x : x - previous_x;
      EXPECT_GT(moved, 0) << "column " << start + i;
      EXPECT_LT(moved, 2 * Advance()) << "column " << start + i;
      previous_x = x;
    }
    for (int i = 0; i < steps; ++i) Key(backwards, Qt::ShiftModifier);
    EXPECT_EQ(pane.Caret(), (Pane_position{0, start}));
    EXPECT_EQ(pane.Selected_text(), line.mid(start, steps));
    pane.copy();
    EXPECT_EQ(QApplication::clipboard()->text(), line.mid(start, steps));

    // Word steps stop at word starts only, a piece's edge or not.
    pane.Select({0, start}, {0, start});
    for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Left}) {
      for (int i = 0; i < 8; ++i) {
        Key(key, Qt::ControlModifier);
        const qsizetype at = pane.Caret().column;
        EXPECT_TRUE(at == 0 || (line[at - 1] == ' ' && line[at] != ' ')) << "column " << at;
      }
    }

    Key(Qt::Key_End);
    EXPECT_EQ(pane.Caret(), (Pane_position{0, line.size()}));
    Key(Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(pane.Caret(), (Pane_position{0, 0}));
    EXPECT_EQ(pane.Selected_text().size(), line.size());
  }
}

TEST_F(Long_line_pane, MouseSelectsAcrossAPieceEdge) {
  for (const Layout_case& c : layout_cases) {
    if (c.wrapped) continue;
    SCOPED_TRACE(c.name);
    const QString line = Long_line(c.hebrew);
    Set(c, line);
    pane.Select({0, piece + 5}, {0, piece + 5});  // brings the edge into view
    const int view = pane.horizontalScrollBar()->value();
    pane.Select({0, piece - 5}, {0, piece - 5});
    const QPoint from(Caret_rect().x(), Caret_rect().center().y());
    pane.Select({0, piece + 5}, {0, piece + 5});
    const QPoint to(Caret_rect().x(), Caret_rect().center().y());
    ASSERT_EQ(pane.horizontalScrollBar()->value(), view);
    ASSERT_TRUE(pane.viewport()->rect().contains(from) && pane.viewport()->rect().contains(to));
    QTest::mousePress(pane.viewport(), Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent drag(QEvent::MouseMove, to, pane.viewport()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(pane.viewport(), &drag);
    QTest::mouseRelease(pane.viewport(), Qt::LeftButton, Qt::NoModifier, to);
    EXPECT_EQ(pane.Selected_text(), line.mid(piece - 5, 10));
  }
}

TEST_F(Long_line_pane, WrappedViewScrollsByRowsToTheEnd) {
  for (const bool hebrew : {false, true}) {
    SCOPED_TRACE(hebrew ? "Hebrew" : "English");
    const QString line = Long_line(hebrew);
    Set({"", hebrew, true}, line + "\nend");
    QScrollBar& bar = *pane.verticalScrollBar();
    const int rows = bar.maximum();
    EXPECT_GT(rows, line.size() / 60) << "the line's rows are scrolled through one by one";

    int pages = 0;
    for (; pane.Caret() != Pane_position{1, 3} && pages < 10000; ++pages) Key(Qt::Key_PageDown);
    EXPECT_EQ(pane.Caret(), (Pane_position{1, 3}));
    EXPECT_EQ(bar.value(), bar.maximum());
    EXPECT_GT(pages, rows / (pane.viewport()->height() / 20) - 2) << "a page at a time";
    EXPECT_TRUE(pane.viewport()->rect().contains(Caret_rect().center()));

    Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(bar.value(), 0);
    bar.setValue(bar.maximum());
    EXPECT_GT(Ink_in_first_row(), 20) << "the end of the line is drawn";
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(bar.value(), bar.maximum());
  }
}

// Word wrap breaks a long line after its spaces, as it breaks any other
// line, and each row holds as many words as fit.
TEST_F(Long_line_pane, WrappedRowsBreakBetweenWordsAndAreFilled) {
  for (const bool hebrew : {false, true}) {
    SCOPED_TRACE(hebrew ? "Hebrew" : "English");
    const QString line = Long_line(hebrew);
    Set({"", hebrew, true}, line);
    const QFontMetricsF metrics(pane.font());
    const qreal width = pane.viewport()->width();
    pane.Select({0, 0}, {0, 0});
    qsizetype start = 0;
    for (int row = 0; row < 30; ++row) {
      Key(Qt::Key_Down);  // to the start of the next row
      const qsizetype next = pane.Caret().column;
      ASSERT_GT(next, start);
      EXPECT_EQ(line[next - 1], ' ') << "row " << row << " ends inside a word";
      const qsizetype word_end = line.indexOf(' ', next);
      const qreal filled = metrics.horizontalAdvance(line.mid(start, next - start - 1));
      const qreal with_next_word = metrics.horizontalAdvance(line.mid(start, word_end - start));
      EXPECT_LE(filled, width) << "row " << row;
      EXPECT_GT(with_next_word, width - 2 * Advance()) << "row " << row << " leaves room for the next word";
      start = next;
    }
  }
}

TEST_F(Long_line_pane, ShowsTextWhereverTheViewIs) {
  for (const Layout_case& c : layout_cases) {
    SCOPED_TRACE(c.name);
    Set(c, Long_line(c.hebrew));
    QScrollBar& bar = c.wrapped ? *pane.verticalScrollBar() : *pane.horizontalScrollBar();
    ASSERT_GT(bar.maximum(), 0);
    for (const int share : {0, 37, 50, 100}) {
      bar.setValue(static_cast<int>(static_cast<qint64>(bar.maximum()) * share / 100));
      EXPECT_GT(Ink_in_first_row(), 20) << share << "% along";
    }
  }
}

}  // namespace
}  // namespace quorvandel

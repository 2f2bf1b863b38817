// How a pane shows lines that run right to left, looked at in the pixels
// it draws: with and without word wrap, scrolled to the lines' start, its
// scroll range ending at the widest line, short lines kept to its edge.
#include <QApplication>
#include <QImage>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <utility>

#include "platform/qt/qt_clipboard.h"
#include "textpane/text_pane.h"

namespace quorvandel {
namespace {

const QString hebrew_words = QString::fromUtf8("\u05e9\u05dc\u05d5\u05dd \u05e2\u05d5\u05dc\u05dd");  // two words

class Right_to_left : public ::testing::Test {
 protected:
  Right_to_left() {
    pane.resize(400, 300);
    pane.show();
  }

  QImage View() {
    QApplication::processEvents();
    return pane.viewport()->grab().toImage();
  }
  int Row_height() const { return static_cast<int>(std::ceil(QFontMetricsF(pane.font()).lineSpacing())); }

  // The leftmost and rightmost columns with ink in row `row` of the view.
  std::optional<std::pair<int, int>> Ink(const QImage& view, int row) const {
    std::optional<std::pair<int, int>> span;
    const int top = 4 + row * Row_height();
    for (int y = top; y < std::min(view.height(), top + Row_height()); ++y) {
      for (int x = 0; x < view.width(); ++x) {
        if (qGray(view.pixel(x, y)) > 128) continue;
        if (!span) span = std::pair{x, x};
        span->first = std::min(span->first, x);
        span->second = std::max(span->second, x);
      }
    }
    return span;
  }

  Qt_clipboard clipboard;
  TText_pane pane{clipboard};
};

TEST_F(Right_to_left, AShortLineLooksTheSameWithAndWithoutWordWrap) {
  for (const QString& line : {hebrew_words, hebrew_words + " 123", "123 " + hebrew_words + " abc"}) {
    pane.setPlainText(line);
    const QImage unwrapped = View();
    pane.Set_word_wrap(true);
    const QImage wrapped = View();
    pane.Set_word_wrap(false);
    ASSERT_TRUE(Ink(unwrapped, 0)) << line.toStdString();
    EXPECT_GT(Ink(unwrapped, 0)->second, unwrapped.width() - 40) << "keeps to the right: " << line.toStdString();
    EXPECT_EQ(wrapped, unwrapped) << line.toStdString();
  }
}

TEST_F(Right_to_left, AWrappedLineStartsEachRowAtTheRightEdge) {
  pane.Set_word_wrap(true);
  pane.setPlainText((hebrew_words + " ").repeated(20));
  const QImage view = View();
  for (int row = 0; row < 3; ++row) {
    ASSERT_TRUE(Ink(view, row)) << row;
    EXPECT_GT(Ink(view, row)->second, view.width() - 40) << "row " << row;
  }
}

TEST_F(Right_to_left, ALongLineOpensAtItsStartAndScrollsNoFurtherThanItsEnd) {
  for (const int words : {30, 160}) {
    pane.setPlainText((hebrew_words + " ").repeated(words) + hebrew_words);
    QScrollBar* horizontal = pane.horizontalScrollBar();
    ASSERT_GT(horizontal->maximum(), 0) << words;
    EXPECT_EQ(horizontal->value(), horizontal->maximum()) << "opens at the start, on the right";
    const QImage start = View();
    ASSERT_TRUE(Ink(start, 0));
    EXPECT_GT(Ink(start, 0)->second, start.width() - 40) << words;

    horizontal->setValue(0);  // as far as the line's end
    const QImage end = View();
    ASSERT_TRUE(Ink(end, 0)) << words << " words: the end of the line is in view";
    EXPECT_LT(Ink(end, 0)->first, 40) << words << " words: no blank past the end";
  }
}

TEST_F(Right_to_left, ShortLinesKeepToTheEdgeOfTheWidestWhereverTheViewIs) {
  pane.setPlainText((hebrew_words + " ").repeated(30) + hebrew_words + "\n" + hebrew_words);
  QScrollBar* horizontal = pane.horizontalScrollBar();
  for (const int back : {0, 40}) {
    horizontal->setValue(horizontal->maximum() - back);
    const QImage view = View();
    ASSERT_TRUE(Ink(view, 0) && Ink(view, 1)) << back;
    EXPECT_NEAR(Ink(view, 1)->second, Ink(view, 0)->second, 4) << "scrolled " << back << " px from the start";
  }
  horizontal->setValue(0);
  EXPECT_FALSE(Ink(View(), 1)) << "the short line is off to the right with the start of the long one";
}

TEST_F(Right_to_left, ResizingKeepsTheStartInView) {
  pane.setPlainText((hebrew_words + " ").repeated(30));
  pane.resize(300, 300);
  const QImage view = View();
  ASSERT_TRUE(Ink(view, 0));
  EXPECT_GT(Ink(view, 0)->second, view.width() - 40);
}

}  // namespace
}  // namespace quorvandel

// The X11 primary selection in the panes: selecting text offers it, and a
// middle click pastes it into the source pane where the mouse is.
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/fake_clipboard.h"
#include "textpane/text_pane.h"

namespace quorvandel {
namespace {

class Primary_selection : public ::testing::Test {
 protected:
  Primary_selection() {
    pane.resize(400, 300);
    pane.show();
    pane.setPlainText("alpha beta\ngamma");
  }
  QPoint At(int row, int column) const {
    const QFontMetricsF metrics(pane.font());
    const int row_height = static_cast<int>(std::ceil(metrics.lineSpacing()));
    return QPoint(4 + static_cast<int>(column * metrics.horizontalAdvance('x')) + 1, 4 + row * row_height + row_height / 2);
  }

  testing::Fake_clipboard clipboard;
  TText_pane pane{clipboard};
};

TEST_F(Primary_selection, SelectingOffersTheSelectedText) {
  struct Case {
    const char* how;
    std::function<void(TText_pane&)> select;
    const char* offered;
  };
  const Case cases[] = {
      {"double click", [this](TText_pane& p) { QTest::mouseDClick(p.viewport(), Qt::LeftButton, {}, At(0, 7)); }, "beta"},
      {"drag", [this](TText_pane& p) {
         QTest::mousePress(p.viewport(), Qt::LeftButton, {}, At(0, 0));
         QMouseEvent move(QEvent::MouseMove, At(0, 5), p.viewport()->mapToGlobal(At(0, 5)), Qt::NoButton,
                          Qt::LeftButton, Qt::NoModifier);
         QApplication::sendEvent(p.viewport(), &move);
         QTest::mouseRelease(p.viewport(), Qt::LeftButton, {}, At(0, 5));
       }, "alpha"},
      {"shift and arrows", [](TText_pane& p) {
         p.Select({1, 0}, {1, 0});
         for (int i = 0; i < 3; ++i) QTest::keyClick(&p, Qt::Key_Right, Qt::ShiftModifier);
       }, "gam"},
      {"select all", [](TText_pane& p) { QTest::keyClick(&p, Qt::Key_A, Qt::ControlModifier); }, "alpha beta\ngamma"},
  };
  for (const Case& c : cases) {
    clipboard.primary.reset();
    c.select(pane);
    ASSERT_TRUE(clipboard.primary.has_value()) << c.how;
    EXPECT_EQ(*clipboard.primary, c.offered) << c.how;
  }
}

TEST_F(Primary_selection, MiddleClickPastesItWhereTheMouseIs) {
  clipboard.primary = "X\nY";
  QTest::mouseClick(pane.viewport(), Qt::MiddleButton, {}, At(1, 2));
  EXPECT_EQ(pane.toPlainText().toStdString(), "alpha beta\ngaX\nYmma");
  EXPECT_EQ(clipboard.contents.size(), 0u) << "the clipboard itself is not touched";

  pane.setReadOnly(true);  // the destination pane takes nothing
  QTest::mouseClick(pane.viewport(), Qt::MiddleButton, {}, At(0, 0));
  EXPECT_EQ(pane.toPlainText().toStdString(), "alpha beta\ngaX\nYmma");
}

}  // namespace
}  // namespace quorvandel

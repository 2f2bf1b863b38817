#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <ostream>
#include <set>

#include "tools/u_ascii_chart.h"

static void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << "\" (";
  for (const QChar c : text) *out << " U+" << std::hex << static_cast<unsigned>(c.unicode()) << std::dec;
  *out << " )";
}

namespace quorvandel {
namespace {

// Puts the chart on the (headless) screen, as the program shows it.
void Show(TASCIIChart& chart) {
  chart.show();
  QApplication::processEvents();
}

// Gives the shown window an outer width of `outer_width`, borders included,
// as dragging its edge would.
void Resize_outer(TASCIIChart& chart, int outer_width) {
  const int borders = chart.frameGeometry().width() - chart.width();
  chart.resize(outer_width - borders, chart.height());
  QApplication::processEvents();
}

TEST(AsciiChart, ListsEveryCodeBesideItsCharacter) {
  struct Row {
    int row;
    const char* code;
    char16_t character;
  };
  const Row rows[] = {
      {0, "Code", 0},        // the header; its second cell is checked below
      {1, "1", 0x0001},      // a control code
      {65, "65", u'A'},      // a letter of the Latin alphabet
      {128, "128", 0x20AC},  // euro sign
      {192, "192", 0x05B0},  // sheva, the first point
      {224, "224", 0x05D0},  // alef, the first letter
      {250, "250", 0x05EA},  // tav, the last letter
      {253, "253", 0x200E},  // left-to-right mark
      {255, "255", 0},       // no character in the code page; checked below
  };
  TASCIIChart chart;
  EXPECT_EQ(chart.Chart->rowCount() + 1, 256);  // with the header row
  EXPECT_EQ(chart.Cell_text(1, 0), "Character");
  for (const Row& r : rows) {
    SCOPED_TRACE(r.row);
    EXPECT_EQ(chart.Cell_text(0, r.row), QString::fromLatin1(r.code));
    if (r.row != 0 && r.character != 0) {
      EXPECT_EQ(chart.Cell_text(1, r.row), QString(QChar(r.character)));
    }
  }
  // Each code has its row, and each row a character of its own, the codes
  // that the code page leaves out included.
  std::set<QString> characters;
  for (int row = 1; row <= 255; ++row) {
    ASSERT_EQ(chart.Cell_text(0, row), QString::number(row));
    ASSERT_EQ(chart.Cell_text(1, row).size(), 1) << row;
    characters.insert(chart.Cell_text(1, row));
  }
  EXPECT_EQ(characters.size(), 255u);
}

TEST(AsciiChart, ColumnsShareTheWindowWidthAndOkStaysInTheMiddle) {
  struct Case {
    int outer_width;
    int column_width;
    int button_left;
  };
  const Case cases[] = {
      {500, 232, 198},
      {331, 147, 113},  // the width it opens with
      {240, 102, 68},   // the narrowest it goes
      {241, 102, 68},   // halves round down
      {100, 102, 68},   // held at the narrowest
  };
  TASCIIChart chart;
  Show(chart);
  EXPECT_EQ(chart.frameGeometry().size(), QSize(331, 357));
  EXPECT_EQ(chart.Chart->columnWidth(0), 147);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.outer_width);
    Resize_outer(chart, c.outer_width);
    EXPECT_EQ(chart.Chart->columnWidth(0), c.column_width);
    EXPECT_EQ(chart.Chart->columnWidth(1), c.column_width);
    EXPECT_EQ(chart.BitBtn1->x(), c.button_left);
  }
}

TEST(AsciiChart, AWidenedColumnReturnsToItsShareAtTheNextResize) {
  TASCIIChart chart;
  Show(chart);
  chart.Chart->horizontalHeader()->resizeSection(0, 200);  // as dragging the header's edge does
  ASSERT_EQ(chart.Chart->columnWidth(0), 200);
  Resize_outer(chart, 333);
  EXPECT_EQ(chart.Chart->columnWidth(0), 148);
  EXPECT_EQ(chart.Chart->columnWidth(1), 148);
}

}  // namespace
}  // namespace quorvandel

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "platform/input_language_service.h"
#include "support/recording_input_language.h"
#include "tools/id_check_digit.h"
#include "tools/modal_result.h"
#include "tools/u_idcheck.h"

static void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace quorvandel {
namespace {

// ---- The check digit ----

Id_digits Digits_of(const char (&text)[9]) {
  Id_digits digits{};
  for (std::size_t i = 0; i < digits.size(); ++i) digits[i] = static_cast<std::uint8_t>(text[i] - '0');
  return digits;
}

TEST(IdCheckDigit, KnownNumbers) {
  struct Case {
    const char number[9];
    int check;
  };
  const Case cases[] = {
      {"12345678", 2}, {"00000000", 0}, {"99999999", 8}, {"10000000", 9}, {"00000001", 8},
      {"00000005", 9},  // 2 x 5 = 10 counts as 1 + 0
      {"00000050", 5},  // the seventh digit counts once
      {"05000000", 9},  // the second digit is doubled
      {"87654321", 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.number);
    EXPECT_EQ(Id_check_digit(Digits_of(c.number)), c.check);
  }
}

// A complete nine-digit identity number is valid when the weights
// 1, 2, 1, 2, 1, 2, 1, 2, 1 from the left, with each product's digits added,
// give a multiple of ten: the check digit is the one ninth digit that does.
int Check_digit_by_search(std::uint32_t first_eight) {
  for (int check = 0; check <= 9; ++check) {
    std::uint32_t number = first_eight * 10 + static_cast<std::uint32_t>(check);
    int total = 0;
    for (int from_right = 0; from_right < 9; ++from_right, number /= 10) {
      int product = static_cast<int>(number % 10) * (from_right % 2 == 1 ? 2 : 1);
      if (product > 9) product -= 9;
      total += product;
    }
    if (total % 10 == 0) return check;
  }
  return -1;
}

TEST(IdCheckDigit, AgreesWithTheWholeNumberCheckForRandomNumbers) {
  std::mt19937 random(20020304);
  std::uniform_int_distribution<std::uint32_t> first_eight(0, 99'999'999);
  for (int i = 0; i < 20'000; ++i) {
    const std::uint32_t n = first_eight(random);
    Id_digits digits{};
    std::uint32_t rest = n;
    for (std::size_t p = digits.size(); p-- > 0; rest /= 10) digits[p] = static_cast<std::uint8_t>(rest % 10);
    ASSERT_EQ(Id_check_digit(digits), Check_digit_by_search(n)) << n;
  }
}

// ---- The dialog ----

// Runs the dialog modally and lets `answer` act on it once it is up and
// active. A dialog that `answer` leaves open is ended with -1, so the test
// fails instead of waiting.
int Exec_answering(QDialog& dialog, const std::function<void()>& answer) {
  QTimer::singleShot(0, &dialog, [&dialog, answer] {
    QApplication::processEvents();  // the window system's activation of the dialog
    answer();
    if (dialog.isVisible()) dialog.done(-1);
  });
  const int result = dialog.exec();
  QApplication::processEvents();
  return result;
}

// Types into whichever box has the focus, as the user's keyboard does.
void Type(TIDCheck& dialog, const QString& keys) {
  for (const QChar key : keys) QTest::keyClick(dialog.focusWidget(), key.toLatin1());
}

void Press(TIDCheck& dialog, Qt::Key key) { QTest::keyClick(dialog.focusWidget(), key); }

QString Boxes(const TIDCheck& dialog) {
  QString texts;
  for (int n = 1; n <= 8; ++n) {
    const QString text = dialog.Digit(n)->text();
    texts += text.isEmpty() ? QStringLiteral("_") : text;
  }
  return texts;
}

// The number of the box with the focus, or 0.
int Focus_box(const TIDCheck& dialog) {
  for (int n = 1; n <= 8; ++n) {
    if (dialog.focusWidget() == dialog.Digit(n)) return n;
  }
  return 0;
}

class IdCheck : public ::testing::Test {
 protected:

  // Fills the boxes through the keyboard from an empty dialog, the focus in
  // the first box.
  void Type_number(const QString& digits) {
    dialog.Transfer_focus(1);
    Type(dialog, digits);
  }

  quorvandel::testing::Recording_input_language input_language;
  TIDCheck dialog{input_language};
};

TEST_F(IdCheck, ShowsZeroBeforeAnyBoxChanges) {
  EXPECT_EQ(dialog.Checksum->text(), "0");
  Exec_answering(dialog, [&] { EXPECT_EQ(dialog.Checksum->text(), "0"); });
  EXPECT_EQ(dialog.Checksum->text(), "0");
}

TEST_F(IdCheck, TypingEightDigitsWalksTheBoxesAndShowsTheCheckDigitAtTheEnd) {
  struct Step {
    int focus_after;
    const char* checksum_after;
    const char* boxes_after;
  };
  const Step steps[] = {
      {2, "?", "1_______"}, {3, "?", "12______"}, {4, "?", "123_____"}, {5, "?", "1234____"},
      {6, "?", "12345___"}, {7, "?", "123456__"}, {8, "?", "1234567_"}, {1, "2", "12345678"},
  };
  Exec_answering(dialog, [&] {
    ASSERT_EQ(Focus_box(dialog), 1);
    char digit = '1';
    for (const Step& step : steps) {
      SCOPED_TRACE(std::string(1, digit));
      Type(dialog, QString(QChar::fromLatin1(digit++)));
      EXPECT_EQ(Focus_box(dialog), step.focus_after);
      EXPECT_EQ(dialog.Checksum->text(), step.checksum_after);
      EXPECT_EQ(Boxes(dialog), step.boxes_after);
    }
  });
}

// What single keys do to a dialog that holds `boxes` with the focus in
// box `focus`.
struct Key_case {
  const char* name;
  const char* boxes;  // '_' for an empty box
  int focus;
  std::function<void(TIDCheck&)> keys;
  const char* boxes_after;
  int focus_after;
  const char* checksum_after;
};

TEST_F(IdCheck, KeysInTheBoxes) {
  const auto type = [](const char* keys) { return [keys](TIDCheck& d) { Type(d, QString::fromLatin1(keys)); }; };
  const auto backspace = [](TIDCheck& d) { Press(d, Qt::Key_Backspace); };
  const std::vector<Key_case> cases = {
      {"a letter is emptied at once", "123_____", 4, type("x"), "123_____", 4, "?"},
      {"a digit typed over the number recomputes it", "12345678", 1, type("9"), "92345678", 2, "4"},
      {"the last digit changed", "12345678", 8, type("0"), "12345670", 1, "9"},
      {"Backspace in an empty box only moves back", "123_____", 4, backspace, "123_____", 3, "?"},
      {"Backspace in the first box moves to the eighth", "________", 1, backspace, "________", 8, "?"},
      {"Backspace deletes the digit of its own box", "12345678", 5, backspace, "1234_678", 4, "?"},
      {"Backspace then a digit replaces the previous one", "123_____", 4, [](TIDCheck& d) {
         Press(d, Qt::Key_Backspace);
         Type(d, "7");
       }, "127_____", 4, "?"},
      {"a digit set by the program moves on", "1234____", 5, [](TIDCheck& d) { d.Digit5->setText("5"); },
       "12345___", 6, "?"},
      {"other text set by the program is removed", "1234____", 5, [](TIDCheck& d) { d.Digit5->setText("٥"); },
       "1234____", 5, "?"},  // ARABIC-INDIC DIGIT FIVE is not one of 0..9
  };
  for (const Key_case& c : cases) {
    SCOPED_TRACE(c.name);
    Exec_answering(dialog, [&] {
      for (int n = 1; n <= 8; ++n) {
        const QChar box = QChar::fromLatin1(c.boxes[n - 1]);
        dialog.Digit(n)->setText(box == u'_' ? QString() : QString(box));
      }
      dialog.Transfer_focus(c.focus);
      c.keys(dialog);
      EXPECT_EQ(Boxes(dialog), c.boxes_after);
      EXPECT_EQ(Focus_box(dialog), c.focus_after);
      EXPECT_EQ(dialog.Checksum->text(), c.checksum_after);
    });
  }
}

TEST_F(IdCheck, ClearEmptiesEveryBoxAndReturnsToTheFirst) {
  Exec_answering(dialog, [&] {
    Type_number("12345678");
    dialog.Transfer_focus(6);
    QTest::mouseClick(dialog.ClearBut, Qt::LeftButton);
    EXPECT_EQ(Boxes(dialog), "________");
    EXPECT_EQ(Focus_box(dialog), 1);
    EXPECT_EQ(dialog.Checksum->text(), "?");
    Type(dialog, "9");
    EXPECT_EQ(Focus_box(dialog), 2);
  });
}

TEST_F(IdCheck, KeepsTheNumberFromOneShowingToTheNext) {
  EXPECT_EQ(Exec_answering(dialog, [&] {
              Type_number("0392754");
              QTest::mouseClick(dialog.CloseBut, Qt::LeftButton);
            }),
            mr_ok);
  Exec_answering(dialog, [&] {
    EXPECT_EQ(Boxes(dialog), "0392754_");
    EXPECT_EQ(dialog.Checksum->text(), "?");
    dialog.Transfer_focus(8);
    Type(dialog, "1");
    QTest::keyClick(&dialog, Qt::Key_Escape);
  });
  Exec_answering(dialog, [&] {
    EXPECT_EQ(Boxes(dialog), "03927541");
    EXPECT_EQ(dialog.Checksum->text(), "7");
  });
}

TEST_F(IdCheck, EachBoxAsksForUsEnglishWheneverTheDialogOpens) {
  std::vector<std::uint32_t>& requests = input_language.requests;
  for (int use = 1; use <= 2; ++use) {
    requests.clear();
    Exec_answering(dialog, [] {});
    EXPECT_EQ(requests, std::vector<std::uint32_t>(8, us_english_layout)) << "use " << use;
  }
}

}  // namespace
}  // namespace quorvandel

// The Israeli ID validator: the user types the first eight digits of an
// identity number, one per box, and the check digit appears as they type.
// Created once and reused; the digits and the check digit stay as the user
// left them from one showing to the next.
#pragma once

#include <QDialog>

#include <array>
#include <cstdint>
#include <functional>

#include "platform/input_language_service.h"
#include "tools/id_check_digit.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace quorvandel {

class TIDCheck : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* help_keyword = "IDValidator";

  // `input_language` outlives the dialog.
  explicit TIDCheck(Input_language_service& input_language, QWidget* parent = nullptr);

  // The box that holds digit n, n = 1..8.
  QLineEdit* Digit(int n) const;

  // Gives the keyboard focus to box n, n = 1..8, its digit selected so that
  // the next key typed replaces it.
  void Transfer_focus(int n);
  // When box n holds a single digit, keeps its value; otherwise the number
  // is incomplete and the value kept for n stays as it was.
  void Update_digit(int n);
  // Reads all eight boxes.
  void Update_array();
  // Shows the check digit of the eight boxes, or "?" while any box lacks its
  // digit.
  void Calculate_checksum();

  // Esc and the close box end the dialog with mr_cancel; Close gives mr_ok.
  void reject() override;

  QLabel* Label1;  // the two lines of instructions
  QLabel* Label2;
  QLineEdit* Digit1;
  QLabel* Label3;  // the dash after the first digit
  QLineEdit* Digit2;
  QLineEdit* Digit3;
  QLineEdit* Digit4;
  QLineEdit* Digit5;
  QLineEdit* Digit6;
  QLineEdit* Digit7;
  QLineEdit* Digit8;
  QLabel* Label4;  // the dash before the check digit
  QLabel* Checksum;
  QPushButton* ClearBut;
  QPushButton* CloseBut;  // mr_ok; the default button

  // What FormActivate asks for US English.
  Input_language_service& input_language;

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void FormCreate();
  // Every time the dialog becomes active each box asks for the US English
  // layout, since digits are typed on the Latin keyboard.
  void FormActivate();
  // The text of box n changed, by typing, pasting or the program: a digit
  // sends the focus on to the next box (after the eighth, the first); any
  // other text is removed at once.
  void DigitChange(int n);
  // Backspace sends the focus back to the previous box (before the first,
  // the eighth); the box it was typed in still deletes as usual.
  void DigitKeyPress(int n, const QKeyEvent& key);
  void ClearButClick();
  void CloseButClick();

  std::array<QLineEdit*, 8> boxes_;
  Id_digits digits = {};
  bool digits_valid = false;  // every box holds exactly one digit
};

}  // namespace quorvandel

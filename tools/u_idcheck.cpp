#include "tools/u_idcheck.h"

#include <QEvent>
#include <QFont>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPoint>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/input_language_service.h"
#include "tools/modal_result.h"
#include "tools/window_placement.h"

namespace quorvandel {
namespace {

// Where the dialog asks to be put on the screen each time it opens.
constexpr QPoint screen_position(297, 245);

constexpr int dialog_font_pixels = 13;
constexpr int digit_font_pixels = 17;

QFont Pixel_font(int pixel_size, bool bold = false) {
  QFont font;
  font.setPixelSize(pixel_size);
  font.setBold(bold);
  return font;
}

// Exactly one character, '0' to '9'.
bool Is_single_digit(const QString& text) {
  return text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9');
}

QLineEdit* Digit_box(QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setMaxLength(1);
  box->setFont(Pixel_font(digit_font_pixels));
  box->setAlignment(Qt::AlignCenter);
  box->setFixedSize(26, 28);
  return box;
}

QLabel* Dash(QWidget* parent) { return new QLabel(QStringLiteral("--"), parent); }

}  // namespace

TIDCheck::TIDCheck(Input_language_service& input_language_service, QWidget* parent)
    : QDialog(parent, system_menu_dialog_flags),
      Label1(new QLabel(tr("Please type a valid 8-digit ID number, and the corresponding"), this)),
      Label2(new QLabel(tr("checksum digit will appear."), this)),
      Digit1(Digit_box(this)),
      Label3(Dash(this)),
      Digit2(Digit_box(this)),
      Digit3(Digit_box(this)),
      Digit4(Digit_box(this)),
      Digit5(Digit_box(this)),
      Digit6(Digit_box(this)),
      Digit7(Digit_box(this)),
      Digit8(Digit_box(this)),
      Label4(Dash(this)),
      Checksum(new QLabel(QStringLiteral("0"), this)),
      ClearBut(new QPushButton(tr("Clear"), this)),
      CloseBut(new QPushButton(tr("Close"), this)),
      input_language(input_language_service),
      boxes_{Digit1, Digit2, Digit3, Digit4, Digit5, Digit6, Digit7, Digit8} {
  setWindowTitle(tr("Israeli ID Validator"));
  setFont(Pixel_font(dialog_font_pixels));
  setFixedSize(432, 156);

  Checksum->setFont(Pixel_font(digit_font_pixels, true));
  Checksum->setAlignment(Qt::AlignCenter);
  Checksum->setFixedWidth(26);

  // An identity number reads from left to right in any interface language.
  auto* number_panel = new QWidget(this);
  number_panel->setLayoutDirection(Qt::LeftToRight);
  auto* number_row = new QHBoxLayout(number_panel);
  number_row->setContentsMargins(0, 0, 0, 0);
  number_row->setSpacing(4);
  number_row->addStretch(1);
  number_row->addWidget(Digit1);
  number_row->addWidget(Label3);
  for (std::size_t i = 1; i < boxes_.size(); ++i) number_row->addWidget(boxes_[i]);
  number_row->addWidget(Label4);
  number_row->addWidget(Checksum);
  number_row->addStretch(1);

  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(12);
  buttons->addStretch(1);
  buttons->addWidget(ClearBut);
  buttons->addWidget(CloseBut);
  buttons->addStretch(1);

  auto* form = new QVBoxLayout(this);
  form->setContentsMargins(12, 10, 12, 10);
  form->setSpacing(0);
  form->addWidget(Label1);
  form->addWidget(Label2);
  form->addStretch(1);
  form->addWidget(number_panel);
  form->addStretch(1);
  form->addLayout(buttons);

  const std::array<QWidget*, 10> tab_order = {Digit1, Digit2, Digit3, Digit4, Digit5,
                                               Digit6, Digit7, Digit8, ClearBut, CloseBut};
  for (std::size_t i = 1; i < tab_order.size(); ++i) setTabOrder(tab_order[i - 1], tab_order[i]);
  CloseBut->setDefault(true);

  for (int n = 1; n <= 8; ++n) {
    QLineEdit* box = Digit(n);
    connect(box, &QLineEdit::textChanged, this, [this, n] { DigitChange(n); });
    box->installEventFilter(this);
  }
  connect(ClearBut, &QPushButton::clicked, this, &TIDCheck::ClearButClick);
  connect(CloseBut, &QPushButton::clicked, this, &TIDCheck::CloseButClick);

  FormCreate();
}

QLineEdit* TIDCheck::Digit(int n) const { return boxes_.at(static_cast<std::size_t>(n - 1)); }

void TIDCheck::Transfer_focus(int n) {
  QLineEdit* box = Digit(n);
  box->setFocus();
  box->selectAll();
}

void TIDCheck::Update_digit(int n) {
  const QString text = Digit(n)->text();
  if (Is_single_digit(text)) {
    digits[static_cast<std::size_t>(n - 1)] = static_cast<std::uint8_t>(text[0].unicode() - u'0');
  } else {
    digits_valid = false;
  }
}

void TIDCheck::Update_array() {
  digits_valid = true;
  for (int n = 1; n <= 8; ++n) Update_digit(n);
}

void TIDCheck::Calculate_checksum() {
  Update_array();
  Checksum->setText(digits_valid ? QString::number(Id_check_digit(digits)) : QStringLiteral("?"));
}

bool TIDCheck::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) FormActivate();
  return QDialog::event(event);
}

bool TIDCheck::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    for (int n = 1; n <= 8; ++n) {
      if (watched == Digit(n)) DigitKeyPress(n, static_cast<const QKeyEvent&>(*event));
    }
  }
  return QDialog::eventFilter(watched, event);  // the box handles the key as well
}

void TIDCheck::reject() { done(mr_cancel); }

void TIDCheck::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  move(screen_position);  // the window system may place it elsewhere
}

void TIDCheck::FormCreate() {
  digits_valid = false;
  Digit1->setFocus();  // takes effect when the dialog first opens
}

void TIDCheck::FormActivate() {
  for (std::size_t i = 0; i < boxes_.size(); ++i) input_language.Request(us_english_layout);
}

void TIDCheck::DigitChange(int n) {
  QLineEdit* box = Digit(n);
  if (Is_single_digit(box->text())) {
    Transfer_focus(n % 8 + 1);
  } else {
    box->setText(QString());  // no change, and so no second call, when it is already empty
  }
  Calculate_checksum();
}

void TIDCheck::DigitKeyPress(int n, const QKeyEvent& key) {
  if (key.key() == Qt::Key_Backspace) Transfer_focus(n == 1 ? 8 : n - 1);
}

void TIDCheck::ClearButClick() {
  for (int n = 1; n <= 8; ++n) Digit(n)->setText(QString());
  Transfer_focus(1);
  Calculate_checksum();
}

void TIDCheck::CloseButClick() { done(mr_ok); }

}  // namespace quorvandel

#include "tools/u_my_input_box.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "platform/input_language_service.h"
#include "tools/modal_result.h"
#include "tools/window_placement.h"

namespace quorvandel {

TMyInputBox::TMyInputBox(Input_language_service& input_language_service, QWidget* parent)
    : QDialog(parent, buttonless_dialog_flags),
      Label1(new QLabel(QStringLiteral("Caption"), this)),
      Content(new QLineEdit(this)),
      BitBtn1(new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), tr("OK"), this)),
      BitBtn2(new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), tr("Cancel"), this)),
      input_language(input_language_service) {
  setWindowTitle(QStringLiteral("Title"));
  setFixedSize(370, 135);

  Label1->setTextFormat(Qt::PlainText);
  Label1->setBuddy(Content);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);

  auto* form = new QVBoxLayout(this);
  form->setContentsMargins(12, 12, 12, 12);
  form->addWidget(Label1);
  form->addWidget(Content);
  form->addStretch(1);
  form->addLayout(buttons);

  BitBtn1->setDefault(true);
  connect(BitBtn1, &QPushButton::clicked, this, [this] { done(mr_ok); });
  connect(BitBtn2, &QPushButton::clicked, this, [this] { done(mr_cancel); });
  Content->installEventFilter(this);
}

void TMyInputBox::Prepare(const QString& title, const QString& prompt) {
  setWindowTitle(title);
  Label1->setText(prompt);
}

void TMyInputBox::reject() { done(mr_cancel); }

void TMyInputBox::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Centre_on_screen(*this);
  FormActivate();
}

bool TMyInputBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Content && event->type() == QEvent::FocusIn) ContentEnter();
  return QDialog::eventFilter(watched, event);
}

void TMyInputBox::FormActivate() {
  Content->setFocus();
  Content->selectAll();
}

void TMyInputBox::ContentEnter() {
  input_language.Request(us_english_layout);
}

}  // namespace quorvandel

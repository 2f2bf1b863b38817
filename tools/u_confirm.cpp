#include "tools/u_confirm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "tools/modal_result.h"
#include "tools/window_placement.h"

namespace quorvandel {

TConfirm::TConfirm(QWidget* parent)
    : QDialog(parent, buttonless_dialog_flags),
      Msg(new QLabel(QStringLiteral("Confirm Message"), this)),
      Yes(new QPushButton(tr("&Yes"), this)),
      No(new QPushButton(tr("&No"), this)) {
  setWindowTitle(tr("Confirm"));
  setFixedSize(394, 126);

  Msg->setWordWrap(true);
  Msg->setAlignment(Qt::AlignCenter);
  Msg->setTextFormat(Qt::PlainText);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(Yes);
  buttons->addSpacing(24);
  buttons->addWidget(No);
  buttons->addStretch(1);
  auto* bottom_panel = new QWidget(this);
  bottom_panel->setFixedHeight(54);
  bottom_panel->setLayout(buttons);

  auto* form = new QVBoxLayout(this);
  form->setContentsMargins(8, 0, 8, 0);
  form->setSpacing(0);
  form->addSpacing(17);
  form->addWidget(Msg, 1);
  form->addWidget(bottom_panel);

  Yes->setDefault(true);
  setTabOrder(No, Yes);
  connect(Yes, &QPushButton::clicked, this, [this] { done(mr_yes); });
  connect(No, &QPushButton::clicked, this, [this] { done(mr_no); });
}

void TConfirm::reject() { done(mr_no); }

void TConfirm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Centre_on_screen(*this);
  No->setFocus();
}

}  // namespace quorvandel

#include "mainwindow/info_bar.h"

#include <QHBoxLayout>

namespace quorvandel {
namespace {

QLabel* Make_panel(QWidget* parent) {
  auto* panel = new QLabel(parent);
  panel->setAlignment(Qt::AlignCenter);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Sunken);
  panel->setMinimumWidth(0);
  return panel;
}

}  // namespace

TInfo_bar::TInfo_bar(QWidget* parent) : QFrame(parent), first_(Make_panel(this)), second_(Make_panel(this)) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  row->addWidget(first_);
  row->addWidget(second_, 1);
}

void TInfo_bar::Add_third_panel() {
  if (third_) return;
  third_ = Make_panel(this);
  third_->setMinimumWidth(1);  // gives way to the other two in a narrow column
  layout()->addWidget(third_);
}

void TInfo_bar::Set_first_width(int width) { first_->setFixedWidth(std::max(width, 0)); }

void TInfo_bar::Set_second_width(int width) { second_->setFixedWidth(std::max(width, 0)); }

}  // namespace quorvandel

#include "tools/bevel_panel.h"

#include <QPainter>
#include <qdrawutil.h>

namespace quorvandel {
namespace {

int Bevel_width(Bevel bevel) { return bevel == Bevel::none ? 0 : 1; }

void Draw_bevel(QPainter& painter, const QRect& rect, Bevel bevel, const QPalette& palette) {
  if (bevel == Bevel::none) return;
  qDrawShadePanel(&painter, rect, palette, bevel == Bevel::lowered, 1, nullptr);
}

}  // namespace

Bevel_panel::Bevel_panel(Bevel outer_bevel, Bevel inner_bevel, int border_width, QWidget* parent)
    : QWidget(parent), outer_bevel_(outer_bevel), inner_bevel_(inner_bevel), border_width_(border_width) {
  const int frame = Frame_width();
  setContentsMargins(frame, frame, frame, frame);
}

int Bevel_panel::Frame_width() const {
  return Bevel_width(outer_bevel_) + border_width_ + Bevel_width(inner_bevel_);
}

void Bevel_panel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  QRect edge = rect();
  Draw_bevel(painter, edge, outer_bevel_, palette());
  const int inset = Bevel_width(outer_bevel_) + border_width_;
  edge.adjust(inset, inset, -inset, -inset);
  Draw_bevel(painter, edge, inner_bevel_, palette());
}

}  // namespace quorvandel

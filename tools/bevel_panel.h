// A flat panel framed by up to two one-pixel bevels: an outer bevel at its
// edge and an inner bevel `border_width` pixels further in. Children placed
// by a layout stay inside the inner bevel.
#pragma once

#include <QWidget>

namespace quorvandel {

enum class Bevel { none, raised, lowered };

class Bevel_panel : public QWidget {
  Q_OBJECT

 public:
  Bevel_panel(Bevel outer_bevel, Bevel inner_bevel, int border_width, QWidget* parent = nullptr);

  int Border_width() const { return border_width_; }
  // Pixels from the panel's edge to the inside of its inner bevel.
  int Frame_width() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Bevel outer_bevel_;
  Bevel inner_bevel_;
  int border_width_;
};

}  // namespace quorvandel

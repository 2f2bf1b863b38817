// A bar of two centred text panels: the panes' info bars and the status line.
// The panes' info bars have a third, for the encoding of their text.
#pragma once

#include <QFrame>
#include <QLabel>

namespace quorvandel {

class TInfo_bar : public QFrame {
  Q_OBJECT

 public:
  explicit TInfo_bar(QWidget* parent = nullptr);

  QLabel* Panel(int index) const { return index == 0 ? first_ : index == 1 ? second_ : third_; }
  // Adds the third panel, at the right; Panel(2) is null until then.
  void Add_third_panel();
  void Set_text(int index, const QString& text) { Panel(index)->setText(text); }
  QString Text(int index) const { return Panel(index)->text(); }

  // The first panel's width; the second takes what is left, unless it is
  // given a width of its own.
  void Set_first_width(int width);
  void Set_second_width(int width);

 private:
  QLabel* first_;
  QLabel* second_;
  QLabel* third_ = nullptr;
};

}  // namespace quorvandel

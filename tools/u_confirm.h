// The yes/no confirmation dialog. The main window's Confirm_msg sets the
// caption and `Msg`, shows it modally and reads mr_yes or mr_no from exec().
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace quorvandel {

class TConfirm : public QDialog {
  Q_OBJECT

 public:
  explicit TConfirm(QWidget* parent = nullptr);

  // Esc ends the dialog as No does.
  void reject() override;

  QLabel* Msg;       // the question, word-wrapped and centred
  QPushButton* Yes;  // mr_yes; the default button
  QPushButton* No;   // mr_no; has the focus whenever the dialog opens

 protected:
  void showEvent(QShowEvent* event) override;
};

}  // namespace quorvandel

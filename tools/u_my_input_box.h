// The one-line input box. The caller runs Prepare, sets `Content`'s text,
// shows the box modally and, when exec() returns mr_ok, reads `Content`.
#pragma once

#include <QDialog>

#include <cstdint>
#include <functional>

#include "platform/input_language_service.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace quorvandel {

class TMyInputBox : public QDialog {
  Q_OBJECT

 public:
  // `input_language` outlives the box.
  TMyInputBox(Input_language_service& input_language, QWidget* parent = nullptr);

  // Sets the caption and the prompt; `Content` keeps its text.
  void Prepare(const QString& title, const QString& prompt);

  // Esc and the close box end the box as Cancel does.
  void reject() override;

  QLabel* Label1;        // the prompt
  QLineEdit* Content;    // the entry box
  QPushButton* BitBtn1;  // "OK": mr_ok; the default button
  QPushButton* BitBtn2;  // "Cancel": mr_cancel

  // What ContentEnter asks for US English.
  Input_language_service& input_language;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The box opens with the focus in `Content`, its text selected so that
  // typing replaces it.
  void FormActivate();
  // `Content` got the focus: the entry is meant for Latin letters, so ask
  // for the US English keyboard layout.
  void ContentEnter();
};

}  // namespace quorvandel

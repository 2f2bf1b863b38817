// The About box: the program's name, version and authors, the authors'
// e-mail address as a link, and the picture. Shown modally, closed with OK.
//
// Clicking the link opens a new message to the address in the user's mail
// program. When that cannot be started the box emits Mail_launch_failed();
// the main window connects it to its message box helper, which shows
// "An error occurred while trying to launch the e-mail application."
#pragma once

#include <QDialog>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QUrl>

#include <functional>

#include "platform/url_opener_service.h"
#include "tools/bevel_panel.h"

class QLabel;
class QPushButton;

namespace quorvandel {

// Where the picture goes: the bottom right corner inside the border of a
// panel of `panel_size` whose border is `panel_border_width` wide.
QPoint Picture_position(QSize panel_size, int panel_border_width, QSize picture_size);

class TAbout : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* help_keyword = "Overview";
  static constexpr const char* mail_address = "quorvandel@example.org";

  // `url_opener` outlives the box.
  explicit TAbout(Url_opener_service& url_opener, QWidget* parent = nullptr);

  // Esc ends the box with mr_cancel; OK gives mr_ok.
  void reject() override;

  Bevel_panel* Outer_panel;
  Bevel_panel* Main_panel;
  QWidget* Bottom_panel;
  QLabel* Title;
  QLabel* Version;
  QLabel* Author;
  QLabel* Licence;       // the program's licence
  QLabel* Label3;        // "E-mail address:"
  QLabel* Label2;        // the address, drawn as a link
  QLabel* ABC;           // the picture
  QPushButton* BitBtn1;  // "OK": mr_ok; the default button

  // What opens the link's "mailto:" URL.
  Url_opener_service& url_opener;

 signals:
  // The mail program could not be started for the link.
  void Mail_launch_failed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void FormCreate();
  void Label2MouseDown();
  void Label2MouseUp();
  void Set_link_colour(const QColor& colour);
};

}  // namespace quorvandel

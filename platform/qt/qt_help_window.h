// The program's help: pages shipped inside the program (HTML under
// ":/help/"), shown in a window with the list of pages, links, and back
// and forward.
#pragma once

#include <QListWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QWidget>
#include <string>

#include "platform/help_service.h"

namespace quorvandel {

// The page, and the place on it, that describes a help keyword: "Contents"
// (also "IDH_Contents"), "StraightConversion", "ClipboardConversion" and
// the keywords of the preferences pages. An unknown keyword gives the
// contents.
QUrl Help_page_for_topic(const std::string& topic);

// The window's caption.
inline constexpr const char* help_window_title = QT_TRANSLATE_NOOP("quorvandel::Qt_help_window", "Quorvandel Help");

class Qt_help_window : public QWidget, public Help_service {
  Q_OBJECT

 public:
  explicit Qt_help_window(QWidget* parent = nullptr);

  // Shows the window at the topic's page and brings it to the front.
  void Show_topic(const std::string& topic) override;

  QTextBrowser* Browser = nullptr;
  QListWidget* ContentsList = nullptr;
  QToolBar* Bar = nullptr;
  QAction* BackAction = nullptr;
  QAction* ForwardAction = nullptr;
  QAction* ContentsAction = nullptr;

 protected:
  void keyPressEvent(QKeyEvent* event) override;  // Esc closes the window

 private:
  void Source_changed(const QUrl& source);
};

}  // namespace quorvandel

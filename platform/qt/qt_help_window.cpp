#include "platform/qt/qt_help_window.h"

#include <QCoreApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QSplitter>
#include <QVBoxLayout>
#include <iterator>

namespace quorvandel {
namespace {

struct Help_page {
  const char* file;
  const char* title;
};

// The list of pages at the window's side, in reading order.
constexpr Help_page help_pages[] = {
    {"index.html", QT_TRANSLATE_NOOP("quorvandel::Qt_help_window", "Contents")},
    {"files.html", QT_TRANSLATE_NOOP("quorvandel::Qt_help_window", "Converting a file")},
    {"clipboard.html", QT_TRANSLATE_NOOP("quorvandel::Qt_help_window", "Converting the clipboard")},
    {"hotkeys.html", QT_TRANSLATE_NOOP("quorvandel::Qt_help_window", "Converting in another program")},
    {"tray.html", QT_TRANSLATE_NOOP("quorvandel::Qt_help_window", "The tray icon and minimizing")},
    {"bidi.html", QT_TRANSLATE_NOOP("quorvandel::Qt_help_window", "Preferences: Bi-Directional Conversion")},
    {"charsets.html", QT_TRANSLATE_NOOP("quorvandel::Qt_help_window", "Preferences: Source and Destination")},
    {"operation.html", QT_TRANSLATE_NOOP("quorvandel::Qt_help_window", "Preferences: Operation Settings")},
    {"profiles.html", QT_TRANSLATE_NOOP("quorvandel::Qt_help_window", "Profiles and hotkeys")},
    {"qwerty.html", QT_TRANSLATE_NOOP("quorvandel::Qt_help_window", "Preferences: 'Qwerty' Settings")},
    {"tools.html", QT_TRANSLATE_NOOP("quorvandel::Qt_help_window", "The ID validator and the chart")},
    {"command-line.html", QT_TRANSLATE_NOOP("quorvandel::Qt_help_window", "The command-line converter")},
};

struct Topic_place {
  const char* topic;
  const char* place;  // page, then #anchor where the topic starts inside it
};

constexpr Topic_place topic_places[] = {
    {"IDH_Contents", "index.html"},
    {"Contents", "index.html"},
    {"StraightConversion", "files.html"},
    {"ClipboardConversion", "clipboard.html"},
    {"BIDITranslation", "bidi.html"},
    {"SpacesSupport", "bidi.html#spaces"},
    {"CharsetTranslation", "charsets.html"},
    {"EOLNSupport", "charsets.html#eoln"},
    {"EnglishLetterCase", "charsets.html#case"},
    {"OperationSettings", "operation.html"},
    {"Profiles", "profiles.html"},
    {"HotkeySettings", "profiles.html#hotkeys"},
    {"QWERTYMapping", "qwerty.html"},
    {"IDValidator", "tools.html"},
    {"ASCIIChart", "tools.html#chart"},
    {"Overview", "index.html"},
};

// The pages in the interface's language where it has them: ":/help/he/"
// holds the Hebrew ones; a page missing there is shown in English.
QUrl Help_url(const QString& place) {
  //: The folder of the help pages in this language under ":/help/"; "en" for the English pages at its top.
  const QString language = QCoreApplication::translate("quorvandel::Qt_help_window", "en");
  const QString file = place.section('#', 0, 0);
  if (language != QStringLiteral("en") && QFile::exists(":/help/" + language + "/" + file)) {
    return QUrl("qrc:/help/" + language + "/" + place);
  }
  return QUrl("qrc:/help/" + place);
}

}  // namespace

QUrl Help_page_for_topic(const std::string& topic) {
  for (const Topic_place& entry : topic_places) {
    if (topic == entry.topic) return Help_url(entry.place);
  }
  return Help_url("index.html");
}

Qt_help_window::Qt_help_window(QWidget* parent) : QWidget(parent, Qt::Window) {
  setWindowTitle(tr(help_window_title));
  resize(820, 600);

  Bar = new QToolBar(this);
  Browser = new QTextBrowser(this);
  Browser->setOpenExternalLinks(true);  // mailto: and web links go to the desktop
  BackAction = Bar->addAction(tr("Back"), Browser, &QTextBrowser::backward);
  ForwardAction = Bar->addAction(tr("Forward"), Browser, &QTextBrowser::forward);
  ContentsAction = Bar->addAction(tr("Contents"), this, [this] { Browser->setSource(Help_url("index.html")); });
  BackAction->setShortcut(QKeySequence::Back);
  ForwardAction->setShortcut(QKeySequence::Forward);
  BackAction->setEnabled(false);
  ForwardAction->setEnabled(false);
  connect(Browser, &QTextBrowser::backwardAvailable, BackAction, &QAction::setEnabled);
  connect(Browser, &QTextBrowser::forwardAvailable, ForwardAction, &QAction::setEnabled);

  ContentsList = new QListWidget(this);
  for (const Help_page& page : help_pages) {
    auto* item = new QListWidgetItem(tr(page.title), ContentsList);
    item->setData(Qt::UserRole, Help_url(page.file));
  }
  connect(ContentsList, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { Browser->setSource(item->data(Qt::UserRole).toUrl()); });
  connect(ContentsList, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { Browser->setSource(item->data(Qt::UserRole).toUrl()); });
  connect(Browser, &QTextBrowser::sourceChanged, this, &Qt_help_window::Source_changed);

  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->addWidget(ContentsList);
  splitter->addWidget(Browser);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({230, 590});
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(Bar);
  column->addWidget(splitter, 1);

  Browser->setSource(Help_url("index.html"));
  Browser->clearHistory();
}

void Qt_help_window::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Cancel)) {  // Esc, as in a dialog
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void Qt_help_window::Show_topic(const std::string& topic) {
  const QUrl place = Help_page_for_topic(topic);
  if (Browser->source() != place) Browser->setSource(place);
  show();
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
}

// Keeps the list's selection on the page shown.
void Qt_help_window::Source_changed(const QUrl& source) {
  const QString file = source.adjusted(QUrl::RemoveFragment | QUrl::RemoveQuery).fileName();
  for (int row = 0; row < ContentsList->count(); ++row) {
    if (ContentsList->item(row)->data(Qt::UserRole).toUrl().fileName() == file) {
      ContentsList->setCurrentRow(row);
      return;
    }
  }
}

}  // namespace quorvandel

// The help window over the pages shipped in the program, and the Qt tray
// icon's reports of the mouse.
#include <QApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <gmock/gmock.h>

#include "platform/qt/qt_help_window.h"
#include "platform/qt/qt_tray_service.h"
#include "resources/icons.h"

namespace quorvandel::testing {
namespace {

using ::testing::ElementsAre;

QString Page_text(const QUrl& page) {
  QFile file(":" + page.path());
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

struct Topic_case {
  const char* topic;
  const char* place;
};

class Help_topics : public ::testing::TestWithParam<Topic_case> {};

TEST_P(Help_topics, OpenTheirPage) {
  Qt_help_window help;
  help.Show_topic(GetParam().topic);
  EXPECT_TRUE(help.isVisible());
  EXPECT_EQ(help.Browser->source(), QUrl(QString("qrc:/help/") + GetParam().place));
  EXPECT_FALSE(help.Browser->toPlainText().isEmpty());
  const QString fragment = help.Browser->source().fragment();
  if (!fragment.isEmpty()) {
    EXPECT_TRUE(Page_text(help.Browser->source()).contains("name=\"" + fragment + "\""));
  }
}

INSTANTIATE_TEST_SUITE_P(HelpWindow, Help_topics,
                         ::testing::Values(Topic_case{"IDH_Contents", "index.html"},
                                           Topic_case{"Contents", "index.html"},
                                           Topic_case{"StraightConversion", "files.html"},
                                           Topic_case{"ClipboardConversion", "clipboard.html"},
                                           Topic_case{"SpacesSupport", "bidi.html#spaces"},
                                           Topic_case{"EOLNSupport", "charsets.html#eoln"},
                                           Topic_case{"HotkeySettings", "profiles.html#hotkeys"},
                                           Topic_case{"IDValidator", "tools.html"},
                                           Topic_case{"ASCIIChart", "tools.html#chart"},
                                           Topic_case{"NoSuchTopic", "index.html"}),
                         [](const auto& test) { return std::string(test.param.topic); });

// Every page of the list opens, and every link between the pages leads to a
// page that exists and to a place on it that exists.
TEST(HelpWindow, EveryPageOpensAndEveryLinkArrives) {
  Qt_help_window help;
  const QRegularExpression link("href=\"([^\"]+)\"");
  int links = 0;
  for (int row = 0; row < help.ContentsList->count(); ++row) {
    const QUrl page = help.ContentsList->item(row)->data(Qt::UserRole).toUrl();
    const QString text = Page_text(page);
    ASSERT_FALSE(text.isEmpty()) << page.toString().toStdString();
    EXPECT_TRUE(text.contains("<h1>")) << page.toString().toStdString();
    for (auto match = link.globalMatch(text); match.hasNext();) {
      const QUrl target = page.resolved(QUrl(match.next().captured(1)));
      if (target.scheme() != "qrc") continue;
      ++links;
      const QString target_text = Page_text(target);
      EXPECT_FALSE(target_text.isEmpty()) << target.toString().toStdString();
      if (target.hasFragment()) {
        EXPECT_TRUE(target_text.contains("name=\"" + target.fragment() + "\"")) << target.toString().toStdString();
      }
    }
  }
  EXPECT_GT(links, 20);
}

TEST(HelpWindow, LinksBackAndForward) {
  Qt_help_window help;
  help.Show_topic("Contents");
  EXPECT_FALSE(help.BackAction->isEnabled());
  help.Browser->setSource(QUrl("qrc:/help/tray.html"));  // a link of the contents
  EXPECT_EQ(help.ContentsList->currentItem()->text(), "The tray icon and minimizing");
  ASSERT_TRUE(help.BackAction->isEnabled());
  help.BackAction->trigger();
  EXPECT_EQ(help.Browser->source(), QUrl("qrc:/help/index.html"));
  ASSERT_TRUE(help.ForwardAction->isEnabled());
  help.ForwardAction->trigger();
  EXPECT_EQ(help.Browser->source(), QUrl("qrc:/help/tray.html"));
  help.ContentsAction->trigger();
  EXPECT_EQ(help.Browser->source(), QUrl("qrc:/help/index.html"));
}

TEST(HelpWindow, EscClosesIt) {
  Qt_help_window help;
  help.Show_topic("Contents");
  QApplication::setActiveWindow(&help);
  for (QWidget* focused : {static_cast<QWidget*>(help.Browser), static_cast<QWidget*>(help.ContentsList)}) {
    help.Show_topic("Contents");
    ASSERT_TRUE(help.isVisible());
    focused->setFocus();
    QTest::keyClick(focused, Qt::Key_Escape);
    EXPECT_FALSE(help.isVisible());
  }
}

TEST(HelpWindow, HebrewExamplesAreShownAsHebrew) {
  Qt_help_window help;
  help.Show_topic("ClipboardConversion");
  EXPECT_TRUE(help.Browser->toPlainText().contains(QString::fromUtf8("שלום")));
}

TEST(QtTray, ReportsTheMouseToTheHandlers) {
  Qt_tray_service tray(Enabled_icon(), Disabled_icon());
  std::vector<std::string> reports;
  tray.Set_handlers({[&] { reports.push_back("down"); }, [&] { reports.push_back("double"); },
                     [&](int, int) { reports.push_back("right"); }});
  for (const auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::Trigger, QSystemTrayIcon::DoubleClick,
                            QSystemTrayIcon::MiddleClick, QSystemTrayIcon::Context}) {
    emit tray.icon().activated(reason);
  }
  EXPECT_THAT(reports, ElementsAre("down", "down", "double", "right"));
}

TEST(QtTray, LookAndTipFollowTheHotkeys) {
  const QIcon enabled = Enabled_icon();
  const QIcon disabled = Disabled_icon();
  Qt_tray_service tray(enabled, disabled);
  tray.Add(true, "Quorvandel");
  EXPECT_EQ(tray.icon().toolTip(), "Quorvandel");
  EXPECT_EQ(tray.icon().icon().cacheKey(), enabled.cacheKey());
  tray.Modify(false, "Quorvandel (disabled)");
  EXPECT_EQ(tray.icon().toolTip(), "Quorvandel (disabled)");
  EXPECT_EQ(tray.icon().icon().cacheKey(), disabled.cacheKey());
  tray.Remove();
  EXPECT_FALSE(tray.icon().isVisible());
}

}  // namespace
}  // namespace quorvandel::testing

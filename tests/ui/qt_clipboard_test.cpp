// The clipboard through Qt: every format kept byte for byte, the mark for
// clipboard managers, and the counts of changes and of fetches.
#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/qt/qt_clipboard.h"

namespace quorvandel {
namespace {

using namespace std::string_literals;

class Qt_clipboard_test : public ::testing::Test {
 protected:
  void SetUp() override { QApplication::clipboard()->clear(); }

  // What another program sees when it asks for a format.
  static QByteArray Fetched_elsewhere(const QString& format) {
    return QApplication::clipboard()->mimeData()->data(format);
  }

  Qt_clipboard clipboard;
};

TEST_F(Qt_clipboard_test, EveryFormatComesBackByteForByte) {
  const Clipboard_contents contents{{"text/plain", "abc"},
                                    {"text/html", "<b>\xd7\x90</b>"},
                                    {"application/x-binary", "\x00\x01\xff\x00"s}};
  ASSERT_TRUE(clipboard.Write_all(contents));
  const auto read = clipboard.Read_all(1 << 20);
  ASSERT_TRUE(read);
  ASSERT_EQ(read->size(), contents.size());
  for (const Clipboard_format& format : contents) {
    SCOPED_TRACE(format.mime_type);
    const auto found = std::find_if(read->begin(), read->end(),
                                    [&](const Clipboard_format& f) { return f.mime_type == format.mime_type; });
    ASSERT_NE(found, read->end());
    EXPECT_EQ(found->data, format.data);
  }
  EXPECT_FALSE(clipboard.Read_all(10)) << "the formats hold 3 + 13 + 4 bytes together";
  EXPECT_TRUE(clipboard.Read_all(20));
}

TEST_F(Qt_clipboard_test, AnEmptyListEmptiesTheClipboard) {
  clipboard.Write_text("abc", false);
  ASSERT_TRUE(clipboard.Write_all({}));
  EXPECT_FALSE(clipboard.Read_text());
  EXPECT_EQ(QApplication::clipboard()->text(), "");
}

TEST_F(Qt_clipboard_test, TextIsUtf8AndTransientTextIsMarkedForManagers) {
  const std::string hebrew = "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d";
  struct Case {
    bool transient;
    bool marked;
  };
  for (const Case test : {Case{false, false}, Case{true, true}}) {
    SCOPED_TRACE(test.transient);
    ASSERT_TRUE(clipboard.Write_text(hebrew, test.transient));
    EXPECT_EQ(clipboard.Read_text(), hebrew);
    EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8(hebrew.c_str()));
    const QMimeData* data = QApplication::clipboard()->mimeData();
    EXPECT_EQ(data->hasFormat("x-kde-passwordManagerHint"), test.marked);
    if (test.marked) {
      EXPECT_EQ(data->data("x-kde-passwordManagerHint"), "secret");
    }
  }
}

TEST_F(Qt_clipboard_test, ChangesAreCountedWhoeverCopies) {
  int calls = 0;
  clipboard.Set_changed_handler([&] { ++calls; });
  const auto before = clipboard.Change_count();
  clipboard.Write_text("ours", false);
  EXPECT_EQ(clipboard.Change_count(), before + 1);
  QApplication::clipboard()->setText("another program's");
  EXPECT_EQ(clipboard.Change_count(), before + 2);
  EXPECT_EQ(clipboard.Read_text(), "another program's");
  EXPECT_EQ(calls, 2);
}

TEST_F(Qt_clipboard_test, FetchesOfOurDataAreCountedButNotOurOwnReads) {
  clipboard.Write_all({{"text/plain", "abc"}, {"text/html", "<i>abc</i>"}});
  int calls = 0;
  clipboard.Set_changed_handler([&] { ++calls; });
  const auto before = clipboard.Fetch_count();
  clipboard.Read_all(1 << 20);
  clipboard.Read_text();
  EXPECT_EQ(clipboard.Fetch_count(), before);
  EXPECT_EQ(Fetched_elsewhere("text/html"), "<i>abc</i>");
  EXPECT_EQ(clipboard.Fetch_count(), before + 1);
  EXPECT_EQ(calls, 1);

  QApplication::clipboard()->setText("not ours");  // fetches of another program's data are not ours to count
  Fetched_elsewhere("text/plain");
  EXPECT_EQ(clipboard.Fetch_count(), before + 1);
}

}  // namespace
}  // namespace quorvandel

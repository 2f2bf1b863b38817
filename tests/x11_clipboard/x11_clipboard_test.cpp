// The Qt clipboard on a real X server (Xvfb), with xclip as the other
// program: what it fetches from us, what it copies for us, and the counts.
#include <QApplication>
#include <QProcess>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/qt/qt_clipboard.h"
#include "support/xvfb.h"

namespace quorvandel {
namespace {

// Runs xclip with `arguments` and `input`, answering the X server's
// selection requests meanwhile, and returns what it printed.
std::string Run_xclip(const QStringList& arguments, const QByteArray& input = {}) {
  QProcess xclip;
  xclip.start("xclip", arguments);
  if (!xclip.waitForStarted()) return "<xclip did not start>";
  if (!input.isEmpty()) xclip.write(input);
  xclip.closeWriteChannel();
  while (xclip.state() != QProcess::NotRunning) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return xclip.readAllStandardOutput().toStdString();
}

// Before any other program takes the primary selection: X refuses an owner
// whose last event is older than the selection's last change, and this
// process sees no user input that would bring its time forward.
TEST(X11Clipboard, TextWeOfferAsThePrimarySelectionIsWhatAnotherProgramPastes) {
  Qt_clipboard clipboard;
  const std::string hebrew = "\xd7\x90\xd7\x91 ab";
  ASSERT_TRUE(clipboard.Write_primary_text(hebrew));
  QCoreApplication::processEvents();
  EXPECT_EQ(Run_xclip({"-selection", "primary", "-o", "-t", "UTF8_STRING"}), hebrew);
  EXPECT_EQ(Run_xclip({"-selection", "clipboard", "-o", "-t", "UTF8_STRING"}), "") << "the clipboard is left alone";
}

TEST(X11Clipboard, AnotherProgramFetchesOurTextAndItsMarkAndTheFetchesAreCounted) {
  Qt_clipboard clipboard;
  const std::string hebrew = "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d";
  ASSERT_TRUE(clipboard.Write_text(hebrew, true));
  QCoreApplication::processEvents();
  const auto before = clipboard.Fetch_count();

  EXPECT_EQ(Run_xclip({"-selection", "clipboard", "-o", "-t", "UTF8_STRING"}), hebrew);
  EXPECT_GT(clipboard.Fetch_count(), before);
  const std::string targets = Run_xclip({"-selection", "clipboard", "-o", "-t", "TARGETS"});
  EXPECT_NE(targets.find("x-kde-passwordManagerHint"), std::string::npos) << targets;
  EXPECT_EQ(Run_xclip({"-selection", "clipboard", "-o", "-t", "x-kde-passwordManagerHint"}), "secret");
}

TEST(X11Clipboard, WhatAnotherProgramCopiesIsReadAndCountedAsAChange) {
  Qt_clipboard clipboard;
  clipboard.Write_text("ours", false);
  QCoreApplication::processEvents();
  int calls = 0;
  clipboard.Set_changed_handler([&] { ++calls; });
  const auto before = clipboard.Change_count();

  // xclip serves one request and ends: the read below.
  QProcess xclip;
  xclip.start("xclip", {"-selection", "clipboard", "-i", "-quiet", "-loops", "1"});
  ASSERT_TRUE(xclip.waitForStarted());
  xclip.write("from xclip");
  xclip.closeWriteChannel();
  while (clipboard.Change_count() == before && xclip.state() != QProcess::NotRunning) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  EXPECT_EQ(clipboard.Change_count(), before + 1);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(clipboard.Read_text(), "from xclip");
  xclip.waitForFinished();
}

TEST(X11Clipboard, ThePrimarySelectionIsReadFromAnotherProgram) {
  Qt_clipboard clipboard;
  QProcess xclip;
  xclip.start("xclip", {"-selection", "primary", "-i", "-quiet", "-loops", "1"});
  ASSERT_TRUE(xclip.waitForStarted());
  xclip.write("selected");
  xclip.closeWriteChannel();
  // xclip says so on standard error once it holds the selection.
  while (!xclip.readAllStandardError().contains("Waiting") && xclip.state() != QProcess::NotRunning) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    xclip.waitForReadyRead(20);
  }
  EXPECT_EQ(clipboard.Read_primary_text(), "selected");
  xclip.waitForFinished();
}

}  // namespace
}  // namespace quorvandel

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  quorvandel::testing::Xvfb server;
  if (server.display().empty()) {
    std::fprintf(stderr, "Xvfb did not start\n");
    return 1;
  }
  ::setenv("DISPLAY", server.display().c_str(), 1);
  ::setenv("QT_QPA_PLATFORM", "xcb", 1);
  int result = 0;
  {
    QApplication application(argc, argv);
    result = RUN_ALL_TESTS();
  }
  return result;
}

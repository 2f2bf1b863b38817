// The Win32 clipboard against the real clipboard functions (under Wine in
// CI): every format given back whole, the change and fetch counts, and the
// notifications through the message loop.
#include "platform/windows/win32_clipboard.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>

#include "platform/windows/message_window.h"

namespace quorvandel {
namespace {

const std::string hebrew = "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d, world";  // שלום, world

template <typename Done>
void Dispatch_until(Done done) {
  for (int round = 0; round < 300 && !done(); ++round) {
    windows::Dispatch_pending_messages();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

// What another program fetches: the clipboard's text read on a thread of
// its own while this thread's message loop runs (delayed rendering sends
// the request to this thread).
std::wstring Fetched_by_another_thread() {
  std::wstring text;
  std::atomic<bool> done = false;
  std::thread other([&] {
    for (int attempt = 0; attempt < 100 && !::OpenClipboard(nullptr); ++attempt) ::Sleep(10);
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
      text = static_cast<const wchar_t*>(::GlobalLock(data));
      ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    done = true;
  });
  Dispatch_until([&] { return done.load(); });
  other.join();
  return text;
}

const Clipboard_format* Find(const Clipboard_contents& contents, const std::string& mime) {
  const auto found = std::find_if(contents.begin(), contents.end(),
                                  [&](const Clipboard_format& format) { return format.mime_type == mime; });
  return found == contents.end() ? nullptr : &*found;
}

TEST(Win32Clipboard, TextRoundTripsInUtf8) {
  Win32_clipboard clipboard;
  ASSERT_TRUE(clipboard.Write_text(hebrew, false));
  EXPECT_EQ(clipboard.Read_text(), hebrew);
  EXPECT_FALSE(clipboard.Read_primary_text());
}

TEST(Win32Clipboard, EveryFormatIsGivenBackWhole) {
  Win32_clipboard clipboard;
  std::wstring wide = L"\x05d0\x05d1 text";
  std::string text_bytes(reinterpret_cast<const char*>(wide.c_str()), (wide.size() + 1) * sizeof(wchar_t));
  const std::string binary("\x00\x01\xff\x80 private", 12);
  const Clipboard_contents saved = {
      {"text/plain;charset=utf-8", text_bytes},
      {"application/x-windows-clipboard;name=Quorvandel Test Format", binary},
      {"application/x-windows-clipboard;id=" + std::to_string(CF_HDROP), std::string(40, '\x07')},
  };
  ASSERT_TRUE(clipboard.Write_all(saved));
  ASSERT_TRUE(clipboard.Write_text("borrowed by a hotkey", true));
  ASSERT_TRUE(clipboard.Write_all(saved));
  const std::optional<Clipboard_contents> read = clipboard.Read_all(1 << 20);
  ASSERT_TRUE(read);
  for (const Clipboard_format& format : saved) {
    const Clipboard_format* found = Find(*read, format.mime_type);
    ASSERT_NE(found, nullptr) << format.mime_type;
    EXPECT_EQ(found->data.substr(0, format.data.size()), format.data) << format.mime_type;
  }
  EXPECT_EQ(Find(*read, "application/x-windows-clipboard;name=CanIncludeInClipboardHistory"), nullptr)
      << "the borrowed text's marks are gone";
  EXPECT_EQ(clipboard.Read_text(), "\xd7\x90\xd7\x91 text");
}

TEST(Win32Clipboard, AnEmptyListEmptiesItAndTooMuchIsNotRead) {
  Win32_clipboard clipboard;
  ASSERT_TRUE(clipboard.Write_all({{"application/x-windows-clipboard;name=Quorvandel Big", std::string(1000, 'x')}}));
  EXPECT_FALSE(clipboard.Read_all(999));
  ASSERT_TRUE(clipboard.Read_all(1000));
  ASSERT_TRUE(clipboard.Write_all({}));
  const std::optional<Clipboard_contents> emptied = clipboard.Read_all(1 << 20);
  ASSERT_TRUE(emptied);
  EXPECT_TRUE(emptied->empty());
  EXPECT_FALSE(clipboard.Read_text());
}

TEST(Win32Clipboard, TransientTextIsMarkedForClipboardHistory) {
  Win32_clipboard clipboard;
  ASSERT_TRUE(clipboard.Write_text("converted", true));
  const std::optional<Clipboard_contents> read = clipboard.Read_all(1 << 20);
  ASSERT_TRUE(read);
  const Clipboard_format* history = Find(*read, "application/x-windows-clipboard;name=CanIncludeInClipboardHistory");
  ASSERT_NE(history, nullptr);
  EXPECT_EQ(history->data.substr(0, 4), std::string(4, '\0'));
}

TEST(Win32Clipboard, TheChangeCountGrowsWithEachWrite) {
  Win32_clipboard clipboard;
  const std::uint64_t before = clipboard.Change_count();
  ASSERT_TRUE(clipboard.Write_text("one", false));
  const std::uint64_t after_one = clipboard.Change_count();
  EXPECT_GT(after_one, before);
  ASSERT_TRUE(clipboard.Write_text("two", false));
  EXPECT_GT(clipboard.Change_count(), after_one);
}

TEST(Win32Clipboard, AFetchByAnotherProgramIsCountedAndGetsTheText) {
  Win32_clipboard clipboard;
  int changes = 0;
  ASSERT_TRUE(clipboard.Write_text(hebrew, true));
  windows::Dispatch_pending_messages();
  clipboard.Set_changed_handler([&changes] { ++changes; });
  EXPECT_EQ(clipboard.Fetch_count(), 0u);
  EXPECT_EQ(Fetched_by_another_thread(), L"\x05e9\x05dc\x05d5\x05dd, world");
  EXPECT_EQ(clipboard.Fetch_count(), 1u);
  EXPECT_GE(changes, 1);
  EXPECT_EQ(clipboard.Read_text(), hebrew);  // reading it here is no fetch
  EXPECT_EQ(clipboard.Fetch_count(), 1u);
}

TEST(Win32Clipboard, ACopyByAnotherProgramCallsTheChangedHandler) {
  Win32_clipboard clipboard;
  windows::Dispatch_pending_messages();
  int changes = 0;
  clipboard.Set_changed_handler([&changes] { ++changes; });
  std::thread other([] {
    for (int attempt = 0; attempt < 100 && !::OpenClipboard(nullptr); ++attempt) ::Sleep(10);
    ::EmptyClipboard();
    const wchar_t text[] = L"copied elsewhere";
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, sizeof text);
    std::memcpy(::GlobalLock(memory), text, sizeof text);
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_UNICODETEXT, memory);
    ::CloseClipboard();
  });
  other.join();
  Dispatch_until([&] { return changes > 0; });
  EXPECT_GE(changes, 1);
  EXPECT_EQ(clipboard.Read_text(), "copied elsewhere");
}

}  // namespace
}  // namespace quorvandel

// The clipboard through the desktop portal's Clipboard interface, in the
// RemoteDesktop session of the keys, against a mock portal that plays the
// other program too: its copies read in every format, our text served to
// its paste, the clipboard given back whole after a hotkey conversion.
#include <gtest/gtest.h>

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>

#include <algorithm>
#include <map>
#include <string>

#include "hotkeys/hotkey_conversion.h"
#include "hotkeys/wayland/portal_clipboard.h"
#include "hotkeys/wayland/portal_keystrokes.h"
#include "portal_bus.h"
#include "support/fake_clipboard.h"

namespace quorvandel::testing {
namespace {

const std::string text_type = "text/plain;charset=utf-8";
// A picture's bytes, with the NULs and high bytes a text would lose.
const std::string picture("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe", 18);

// A window whose conversion puts the text in capitals and whose waits let
// the portal's signals in.
class Capitals_window : public Hotkey_window {
 public:
  bool Hotkeys_enabled() const override { return true; }
  bool Hotkey_busy() const override { return busy_; }
  void Set_hotkey_busy(bool busy) override { busy_ = busy; }
  int Active_profile() const override { return 0; }
  void Change_profile(int) override {}
  Pane_conversion Convert_through_panes(const std::string& text) override {
    Pane_conversion conversion{true, text, {}};
    std::transform(text.begin(), text.end(), conversion.text.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    return conversion;
  }
  void Wait_milliseconds(int n) override { QCoreApplication::processEvents(QEventLoop::AllEvents, n); }
  void Show_message(const std::string& text) override { messages.push_back(text); }
  void Show_notice(const std::string&) override {}
  std::vector<std::string> messages;

 private:
  bool busy_ = false;
};

class Portal_clipboard_test : public Portal_bus {
 protected:
  void Release() override {
    clipboard_.reset();
    keys_.reset();
  }

  // The portal with its clipboard, and the keys' session sharing it when
  // `shared`; the session is started.
  void Start_session(bool shared = true) {
    Start_portal("remote_desktop_portal.py", "{\"clipboard\": true}");
    ASSERT_TRUE(Portal_clipboard::Offered(*bus_));
    keys_ = Portal_keystrokes::Open(*bus_);
    ASSERT_TRUE(keys_);
    clipboard_ = std::make_unique<Portal_clipboard>(*bus_, toolkit_);
    if (shared) keys_->Share_clipboard([this](const QString& session) { clipboard_->Session_started(session); });
    ASSERT_EQ(keys_->Prepare(), "");
  }

  QDBusMessage Call(const QString& method, const QVariantList& arguments = {}) {
    QDBusMessage call = QDBusMessage::createMethodCall(portal_service, portal_path,
                                                       "org.freedesktop.portal.RemoteDesktop", method);
    call.setArguments(arguments);
    return bus_->call(call);
  }
  void Copy_from_other_program(const std::map<std::string, std::string>& formats) {
    qDBusRegisterMetaType<QMap<QString, QByteArray>>();
    QMap<QString, QByteArray> map;
    for (const auto& [type, data] : formats)
      map.insert(QString::fromStdString(type), QByteArray(data.data(), static_cast<qsizetype>(data.size())));
    const std::uint64_t changes = clipboard_->Change_count();
    Call("CopyFromOtherProgram", {QVariant::fromValue(map)});
    ASSERT_TRUE(Eventually([&] { return clipboard_->Change_count() > changes; }));
  }
  // What the other program gets when it pastes this type of ours.
  std::string Fetch_from_other_program(const std::string& type) {
    const std::uint64_t fetches = clipboard_->Fetch_count();
    const uint serial = Call("FetchFromSession", {QString::fromStdString(type)}).arguments().value(0).toUInt();
    if (!Eventually([&] { return clipboard_->Fetch_count() > fetches; })) return "(not served)";
    std::string fetched;
    Eventually([&] {
      fetched = Call("Fetched", {serial}).arguments().value(0).toByteArray().toStdString();
      return !fetched.empty();
    });
    return fetched;
  }

  std::shared_ptr<Fake_clipboard> toolkit_ = std::make_shared<Fake_clipboard>();
  std::unique_ptr<Portal_keystrokes> keys_;
  std::unique_ptr<Portal_clipboard> clipboard_;
};

TEST_F(Portal_clipboard_test, TheToolkitsClipboardServesUntilASessionHasThePortals) {
  Start_portal("remote_desktop_portal.py", "{\"clipboard\": true}");
  clipboard_ = std::make_unique<Portal_clipboard>(*bus_, toolkit_);
  toolkit_->Copy_text_from_other_program("from the toolkit");
  EXPECT_EQ(clipboard_->Read_text(), "from the toolkit");
  EXPECT_TRUE(clipboard_->Write_text("ours", false));
  EXPECT_EQ(toolkit_->Read_text(), "ours");
  EXPECT_EQ(clipboard_->Change_count(), toolkit_->Change_count());

  // A session that did not ask for the clipboard leaves it so.
  TearDown();
  SetUp();
  Start_session(false);
  EXPECT_FALSE(clipboard_->Started());
  EXPECT_TRUE(Method_calls("RequestClipboard").empty());
}

TEST_F(Portal_clipboard_test, ReadsEveryFormatAnotherProgramCopied) {
  Start_session();
  ASSERT_TRUE(clipboard_->Started());
  Copy_from_other_program({{text_type, "שלום"}, {"image/png", picture}});
  const std::optional<Clipboard_contents> read = clipboard_->Read_all(1 << 20);
  ASSERT_TRUE(read);
  EXPECT_EQ(*read, (Clipboard_contents{{"image/png", picture}, {text_type, "שלום"}}));
  EXPECT_EQ(clipboard_->Read_text(), "שלום");
  EXPECT_FALSE(clipboard_->Read_all(10)) << "more than the limit is not taken";
  EXPECT_EQ(toolkit_->reads, 0);
}

TEST_F(Portal_clipboard_test, ServesItsOwnFormatsToTheOtherProgramAndCountsTheFetches) {
  Start_session();
  const std::uint64_t changes = clipboard_->Change_count();
  ASSERT_TRUE(clipboard_->Write_text("converted", true));
  EXPECT_EQ(clipboard_->Change_count(), changes + 1);
  EXPECT_EQ(clipboard_->Read_text(), "converted");
  EXPECT_EQ(Fetch_from_other_program(text_type), "converted");
  EXPECT_EQ(Fetch_from_other_program("x-kde-passwordManagerHint"), "secret");
  QCoreApplication::processEvents();
  EXPECT_EQ(clipboard_->Change_count(), changes + 1) << "our own selection told back is no change";

  ASSERT_TRUE(clipboard_->Write_all({{"image/png", picture}, {text_type, "before"}}));
  EXPECT_EQ(Fetch_from_other_program("image/png"), picture);
  EXPECT_EQ(toolkit_->writes, 0);
}

TEST_F(Portal_clipboard_test, HotkeyConvertsTheSelectionAndGivesTheClipboardBackWhole) {
  Start_portal("remote_desktop_portal.py", "{\"clipboard\": true}");
  keys_ = Portal_keystrokes::Open(*bus_);
  ASSERT_TRUE(keys_);
  clipboard_ = std::make_unique<Portal_clipboard>(*bus_, toolkit_);
  keys_->Share_clipboard([this](const QString& session) { clipboard_->Session_started(session); });
  Capitals_window window;
  Hotkey_conversion conversion(window, *keys_, *clipboard_);
  // The first conversion starts the session; the user had copied a
  // picture with its text before.
  ASSERT_EQ(keys_->Prepare(), "");
  Copy_from_other_program({{text_type, "before"}, {"image/png", picture}});
  Call("SetSelected", {QStringLiteral("hello world")});

  EXPECT_EQ(conversion.Hotkey_convert_by_keyboard_event(), "");
  EXPECT_EQ(Call("Pasted").arguments().value(0).toByteArray().toStdString(), "HELLO WORLD");
  EXPECT_EQ(Fetch_from_other_program("image/png"), picture);
  EXPECT_EQ(Fetch_from_other_program(text_type), "before");
  EXPECT_TRUE(window.messages.empty());
}

}  // namespace
}  // namespace quorvandel::testing

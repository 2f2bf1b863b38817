// The keys through the desktop portal's RemoteDesktop interface, against a
// mock portal on a private session bus: the keys as evdev codes, consent
// kept with the restore token, the user cancelling, a portal missing.
#include <gtest/gtest.h>

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusVariant>

#include <string>
#include <utility>
#include <vector>

#include "hotkeys/wayland/portal_keystrokes.h"
#include "portal_bus.h"

namespace quorvandel::testing {
namespace {

class Portal_keystrokes_test : public Portal_bus {
 protected:
  void Release() override { keys_.reset(); }
  void Start_portal(const std::string& parameters) { Portal_bus::Start_portal("remote_desktop_portal.py", parameters); }

  // The codes and states of the keys the portal received.
  std::vector<std::pair<int, uint>> Keys_received() {
    std::vector<std::pair<int, uint>> keys;
    for (const QVariantList& call : Method_calls("NotifyKeyboardKeycode"))
      keys.emplace_back(call.at(2).toInt(), call.at(3).toUInt());
    return keys;
  }

  std::unique_ptr<Portal_keystrokes> keys_;
};

TEST_F(Portal_keystrokes_test, SendsTheCopyKeysAsEvdevCodesOnceTheSessionStarted) {
  Start_portal("{}");
  keys_ = Portal_keystrokes::Open(*bus_);
  ASSERT_TRUE(keys_);
  keys_->Send_key(Key::control, false);  // before the session: nothing goes out
  ASSERT_EQ(keys_->Prepare(), "");
  for (const auto& [key, release] : {std::pair{Key::control, false}, {Key::c, false}, {Key::c, true},
                                     {Key::control, true}, {Key::shift, false}, {Key::v, false}})
    keys_->Send_key(key, release);
  const std::vector<std::pair<int, uint>> expected = {{29, 1}, {46, 1}, {46, 0}, {29, 0}, {42, 1}, {47, 1}};
  EXPECT_TRUE(Eventually([&] { return Keys_received().size() == expected.size(); }));
  EXPECT_EQ(Keys_received(), expected);
  EXPECT_EQ(Method_calls("Start").size(), 1u);
  EXPECT_EQ(keys_->Prepare(), "");  // the running session serves the next conversion
  EXPECT_EQ(Method_calls("Start").size(), 1u);
}

TEST_F(Portal_keystrokes_test, ConsentIsKeptWithTheRestoreTokenWhereThePortalHasIt) {
  const struct {
    const char* parameters;
    const char* former_token;
    bool persists;
    const char* kept_token;  // what the handler is told, empty when nothing
  } cases[] = {
      {"{}", "", true, "token-from-portal"},
      {"{}", "token-of-last-run", true, "token-from-portal"},
      {"{\"version\": 1}", "token-of-last-run", false, ""},
  };
  for (const auto& c : cases) {
    TearDown();
    SetUp();
    Start_portal(c.parameters);
    keys_ = Portal_keystrokes::Open(*bus_);
    ASSERT_TRUE(keys_);
    std::string kept;
    keys_->Set_restore_token(c.former_token);
    keys_->Set_token_handler([&](const std::string& token) { kept = token; });
    ASSERT_EQ(keys_->Prepare(), "") << c.parameters;
    const QVariantMap options = Selected_options();
    EXPECT_EQ(options.value("types").toUInt(), 1u) << "the keyboard";
    EXPECT_EQ(options.contains("persist_mode"), c.persists) << c.parameters;
    if (c.persists) {
      EXPECT_EQ(options.value("persist_mode").toUInt(), 2u);
    }
    EXPECT_EQ(options.value("restore_token").toString().toStdString(), c.persists ? c.former_token : "");
    EXPECT_EQ(kept, c.kept_token);
  }
}

TEST_F(Portal_keystrokes_test, TheUserCancellingIsToldAndAskedAgainNextTime) {
  Start_portal("{\"start_response\": 1}");
  keys_ = Portal_keystrokes::Open(*bus_);
  ASSERT_TRUE(keys_);
  EXPECT_EQ(keys_->Prepare(), keys_cancelled_message);
  keys_->Send_key(Key::control, false);
  EXPECT_EQ(keys_->Prepare(), keys_cancelled_message);
  EXPECT_EQ(Method_calls("Start").size(), 2u);
  EXPECT_TRUE(Keys_received().empty());
}

TEST_F(Portal_keystrokes_test, MissingPortalIsNotUsed) { EXPECT_FALSE(Portal_keystrokes::Open(*bus_)); }

}  // namespace
}  // namespace quorvandel::testing

// The hotkeys through the desktop portal, against a mock portal
// (python3-dbusmock) on a private session bus: binding, a press, the user
// cancelling the desktop's dialog, a portal that is missing or too old.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "hotkeys/hotkey_conversion.h"
#include "hotkeys/wayland/portal_hotkeys.h"
#include "portal_bus.h"

namespace quorvandel::testing {
namespace {

class Portal_hotkeys_test : public Portal_bus {
 protected:
  void Release() override { hotkeys_.reset(); }
  void Start_portal(const std::string& parameters) { Portal_bus::Start_portal("global_shortcuts_portal.py", parameters); }

  void Open_and_register() {
    hotkeys_ = Portal_hotkeys::Open(*bus_);
    ASSERT_TRUE(hotkeys_);
    hotkeys_->Set_pressed_handler([this](int id) { pressed_.push_back(id); });
    EXPECT_TRUE(hotkeys_->Register(default_hotkey_id, true, true, false, 12));
    EXPECT_TRUE(hotkeys_->Register(active_hotkey_id, true, false, true, 11));
  }

  void Press(const QString& shortcut) {
    QDBusMessage press =
        QDBusMessage::createMethodCall(portal_service, portal_path, "org.freedesktop.DBus.Mock", "Press");
    press << shortcut;
    const QDBusMessage reply = bus_->call(press);
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
  }

  std::unique_ptr<Portal_hotkeys> hotkeys_;
  std::vector<int> pressed_;
};


TEST(Portal_trigger, NamesTheModifiersInTheFormatOfTheShortcutsSpecification) {
  const struct {
    bool ctrl, shift, alt;
    int fkey;
    const char* trigger;
  } cases[] = {
      {true, true, false, 12, "CTRL+SHIFT+F12"},
      {true, false, true, 11, "CTRL+ALT+F11"},
      {false, false, false, 7, "F7"},
      {true, true, true, 1, "CTRL+ALT+SHIFT+F1"},
  };
  for (const auto& c : cases) EXPECT_EQ(Portal_trigger(c.ctrl, c.shift, c.alt, c.fkey), c.trigger);
}

TEST_F(Portal_hotkeys_test, BindsBothHotkeysAndActsOnTheRelease) {
  Start_portal("{}");
  Open_and_register();
  ASSERT_TRUE(Eventually([&] { return hotkeys_->Bound().size() == 2; })) << hotkeys_->Failure();
  EXPECT_EQ(hotkeys_->Bound(),
            (std::map<int, std::string>{{default_hotkey_id, "CTRL+SHIFT+F12"}, {active_hotkey_id, "CTRL+ALT+F11"}}));
  EXPECT_EQ(hotkeys_->Failure(), "");
  Press("active");
  Press("default");
  ASSERT_TRUE(Eventually([&] { return pressed_.size() == 2; }));
  EXPECT_EQ(pressed_, (std::vector<int>{active_hotkey_id, default_hotkey_id}));  // once each: the release only
}

TEST_F(Portal_hotkeys_test, AnUnregisteredHotkeyIsNotActedOn) {
  Start_portal("{}");
  Open_and_register();
  ASSERT_TRUE(Eventually([&] { return hotkeys_->Bound().size() == 2; }));
  hotkeys_->Unregister(active_hotkey_id);
  Press("active");
  Press("default");
  ASSERT_TRUE(Eventually([&] { return !pressed_.empty(); }));
  EXPECT_EQ(pressed_, std::vector<int>{default_hotkey_id});
}

TEST_F(Portal_hotkeys_test, TheUserCancellingTheDialogIsReported) {
  Start_portal("{\"bind_response\": 1}");
  Open_and_register();
  ASSERT_TRUE(Eventually([&] { return !hotkeys_->Failure().empty(); }));
  EXPECT_NE(hotkeys_->Failure().find("cancelled"), std::string::npos) << hotkeys_->Failure();
  EXPECT_TRUE(hotkeys_->Bound().empty());
}

TEST_F(Portal_hotkeys_test, MissingOrTooOldPortalIsNotUsed) {
  EXPECT_FALSE(Portal_hotkeys::Open(*bus_)) << "no portal at all";
  Start_portal("{\"version\": 0}");
  EXPECT_FALSE(Portal_hotkeys::Open(*bus_)) << "a portal of version 0";
}

}  // namespace
}  // namespace quorvandel::testing

// The desktop's consent to send keys, kept in the settings file between
// runs: the token the last run kept is offered to the RemoteDesktop portal
// (a mock on a private bus), and the one it gives now is kept.
#include <gtest/gtest.h>

#include <QDBusArgument>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "hotkeys/wayland/portal_keystrokes.h"
#include "mainwindow/program_entry.h"
#include "wayland_hotkeys/portal_bus.h"

namespace quorvandel::testing {
namespace {

namespace fs = std::filesystem;

class Key_consent : public Portal_bus {
 protected:
  void Release() override { keys_.reset(); }

  std::unique_ptr<Portal_keystrokes> keys_;
};

TEST_F(Key_consent, TheLastRunsTokenIsOfferedAndTheNewOneKeptInTheSettingsFile) {
  const fs::path ini = fs::temp_directory_path() / ("quorvandel-consent-" + std::to_string(getpid()) + ".ini");
  std::ofstream(ini) << "[Configuration]\nmin_to_systray=1\nremote_desktop_restore_token=token-of-last-run\n";
  Start_portal("remote_desktop_portal.py", "{}");
  keys_ = Portal_keystrokes::Open(*bus_);
  ASSERT_TRUE(keys_);
  Keep_key_consent(*keys_, ini.string());
  ASSERT_EQ(keys_->Prepare(), "");
  EXPECT_EQ(Selected_options().value("restore_token").toString(), "token-of-last-run");
  std::stringstream kept;
  kept << std::ifstream(ini).rdbuf();
  EXPECT_EQ(kept.str(), "[Configuration]\nmin_to_systray=1\nremote_desktop_restore_token=token-from-portal\n");
  fs::remove(ini);
}

}  // namespace
}  // namespace quorvandel::testing

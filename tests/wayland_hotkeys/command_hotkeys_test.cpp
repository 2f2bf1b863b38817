// The lines the preferences show for binding the hotkeys' command in the
// desktop's own settings: they must be what sway's config and a shell take.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hotkeys/hotkey_conversion.h"
#include "hotkeys/wayland/command_hotkeys.h"

namespace quorvandel::testing {
namespace {

TEST(Sway_combination, NamesTheModifiersAsSwaysConfigDoes) {
  const struct {
    bool ctrl, shift, alt;
    int fkey;
    const char* combination;
  } cases[] = {
      {true, true, false, 12, "Ctrl+Shift+F12"},
      {true, false, true, 11, "Ctrl+Alt+F11"},
      {false, false, false, 7, "F7"},
  };
  for (const auto& c : cases) EXPECT_EQ(Sway_combination(c.ctrl, c.shift, c.alt, c.fkey), c.combination);
}

TEST(Command_hotkeys, TheNoteHoldsTheExactLinesForEachRegisteredHotkey) {
  const struct {
    std::vector<std::string> command;
    const char* written;  // as the lines write it, before "default" or "active"
  } cases[] = {
      {{"/usr/bin/quorvandel-hotkey"}, "/usr/bin/quorvandel-hotkey"},
      {{"/home/dana/my programs/quorvandel-hotkey"}, "'/home/dana/my programs/quorvandel-hotkey'"},
      {{"/opt/it's/quorvandel-hotkey"}, "'/opt/it'\\''s/quorvandel-hotkey'"},
      {{"/opt/q/quorvandel", "--hotkey"}, "/opt/q/quorvandel --hotkey"},
  };
  for (const auto& c : cases) {
    Command_hotkeys hotkeys(c.command);
    hotkeys.Register(default_hotkey_id, true, true, false, 12);
    hotkeys.Register(active_hotkey_id, true, false, true, 11);
    const std::string note = hotkeys.Trigger_note();
    const std::string command = c.written;
    EXPECT_NE(note.find("bindsym --release Ctrl+Shift+F12 exec " + command + " default\n"), std::string::npos)
        << note;
    EXPECT_NE(note.find("bindsym --release Ctrl+Alt+F11 exec " + command + " active\n"), std::string::npos)
        << note;
    EXPECT_NE(note.find("Ctrl+Shift+F12:  " + command + " default\n"), std::string::npos) << note;
  }
}

TEST(Command_hotkeys, APressReachesTheHandlerOnlyForARegisteredHotkey) {
  Command_hotkeys hotkeys({"/usr/bin/quorvandel-hotkey"});
  std::vector<int> pressed;
  hotkeys.Set_pressed_handler([&](int id) { pressed.push_back(id); });
  hotkeys.Register(default_hotkey_id, true, true, false, 12);
  hotkeys.Press(default_hotkey_id);
  hotkeys.Press(active_hotkey_id);
  hotkeys.Unregister(default_hotkey_id);
  hotkeys.Press(default_hotkey_id);
  EXPECT_EQ(pressed, std::vector<int>{default_hotkey_id});
  EXPECT_EQ(hotkeys.Trigger_note().find("quorvandel-hotkey"), std::string::npos);  // nothing registered, no lines
}

}  // namespace
}  // namespace quorvandel::testing

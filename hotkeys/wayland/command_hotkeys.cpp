#include "hotkeys/wayland/command_hotkeys.h"

#include <QCoreApplication>

#include "hotkeys/hotkey_conversion.h"

namespace quorvandel {
namespace {

// One word of a shell command line, quoted where the shell would split or expand it.
std::string Shell_word(const std::string& word) {
  if (word.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/._-+") ==
      std::string::npos)
    return word;
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// The note's own words, before the lines for sway and for GNOME.
constexpr const char* note_texts[] = {
    QT_TRANSLATE_NOOP("quorvandel::Command_hotkeys",
                      "This desktop lets no program take a key combination: bind the hotkeys to this program's "
                      "command in its own settings."),
    QT_TRANSLATE_NOOP("quorvandel::Command_hotkeys", "For sway, add these lines to its config, then reload it:"),
    QT_TRANSLATE_NOOP("quorvandel::Command_hotkeys",
                      "In GNOME: Settings > Keyboard > Custom Shortcuts, one shortcut for each:"),
};

}  // namespace

std::string Sway_combination(bool ctrl, bool shift, bool alt, int fkey) {
  std::string combination;
  if (ctrl) combination += "Ctrl+";
  if (alt) combination += "Alt+";
  if (shift) combination += "Shift+";
  return combination + "F" + std::to_string(fkey);
}

std::string Command_hotkeys::Trigger_note() const {
  struct Hotkey_line {
    int id;
    const char* argument;
  };
  const Hotkey_line lines[] = {{default_hotkey_id, "default"}, {active_hotkey_id, "active"}};
  std::string sway;
  std::string gnome;
  for (const Hotkey_line& line : lines) {
    const auto found = registered_.find(line.id);
    if (found == registered_.end()) continue;
    std::string command;
    for (const std::string& word : command_) command += Shell_word(word) + " ";
    command += line.argument;
    sway += "bindsym --release " + found->second + " exec " + command + "\n";
    gnome += found->second + ":  " + command + "\n";
  }
  // Translated when shown, so that a change of the interface's language
  // reaches it; the lines to bind stay as the desktops read them.
  const auto translated = [](const char* text) {
    return QCoreApplication::translate("quorvandel::Command_hotkeys", text).toStdString();
  };
  return translated(note_texts[0]) + "\n" + translated(note_texts[1]) + "\n" + sway + translated(note_texts[2]) +
         "\n" + gnome;
}

}  // namespace quorvandel

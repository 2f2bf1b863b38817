#include "hotkeys/terminal_table.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace quorvandel {
namespace {

struct Terminal {
  std::string_view name;  // lowercase
  Copy_paste_style style;
};

constexpr Copy_paste_style own_keys = Copy_paste_style::control_shift_keys;
constexpr Copy_paste_style primary = Copy_paste_style::primary_selection;

// The common terminal emulators of X11 desktops. Those of the xterm family
// have no clipboard keys by default; their selection is the primary
// selection and Shift+Insert pastes it.
constexpr Terminal terminals[] = {
    {"xterm", primary},          {"uxterm", primary},
    {"lxterm", primary},         {"koi8rxterm", primary},
    {"rxvt", primary},           {"urxvt", primary},
    {"rxvt-unicode", primary},   {"aterm", primary},
    {"eterm", primary},          {"mlterm", primary},
    {"gnome-terminal", own_keys}, {"gnome-terminal-server", own_keys},
    {"konsole", own_keys},       {"yakuake", own_keys},
    {"xfce4-terminal", own_keys}, {"mate-terminal", own_keys},
    {"lxterminal", own_keys},    {"qterminal", own_keys},
    {"terminator", own_keys},    {"tilix", own_keys},
    {"guake", own_keys},         {"tilda", own_keys},
    {"sakura", own_keys},        {"terminology", own_keys},
    {"alacritty", own_keys},     {"kitty", own_keys},
    {"wezterm", own_keys},       {"org.wezfurlong.wezterm", own_keys},
    {"st", own_keys},            {"st-256color", own_keys},
    {"foot", own_keys},          {"deepin-terminal", own_keys},
    {"cool-retro-term", own_keys}, {"kgx", own_keys},
    {"org.gnome.console", own_keys}, {"ptyxis", own_keys},
    {"hyper", own_keys},         {"tabby", own_keys},
    {"termite", own_keys},       {"roxterm", own_keys},
    {"cutefish-terminal", own_keys}, {"terminal", own_keys},
};

std::string Lowercase(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

const Terminal* Find(std::string_view name) {
  if (name.empty()) return nullptr;
  const std::string lower = Lowercase(name);
  for (const Terminal& terminal : terminals) {
    if (terminal.name == lower) return &terminal;
  }
  return nullptr;
}

}  // namespace

Copy_paste_style Copy_paste_style_for_class(std::string_view instance_name, std::string_view class_name) {
  if (const Terminal* terminal = Find(class_name)) return terminal->style;
  if (const Terminal* terminal = Find(instance_name)) return terminal->style;
  return Copy_paste_style::control_keys;
}

}  // namespace quorvandel

#!/usr/bin/env bash
# Checks the Debian package that `make deb` built in the build folder
# (argument 1, default "build"): lintian finds no error or warning, the
# desktop entry and the AppStream file validate, apt-get can install it, and
# the programs run from the package's unpacked tree as from a system-wide
# install that the user cannot write: the converter converts, the hotkey
# command says that no program runs, and the
# desktop program goes through its first run under Xvfb and openbox, opens
# a file given on its command line, carries the desktop entry's window
# class, and writes its launcher and log-in entry for the installed program
# and icon.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

fail() {
  echo "test-package: $*" >&2
  exit 1
}
step() { echo "== $*"; }

shopt -s nullglob
debs=("$build"/quorvandel_*.deb)
[[ ${#debs[@]} -eq 1 ]] || fail "expected one package in $build, found ${#debs[@]}"
deb=$(realpath "${debs[0]}")
version=$(dpkg-deb -f "$deb" Version)

work=$(mktemp -d)
chmod 755 "$work"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

step "lintian $(basename "$deb")"
lintian --fail-on error,warning --display-info "$deb" || fail "lintian reports errors or warnings"

tree=$work/tree
dpkg-deb -x "$deb" "$tree"
entries=("$tree"/usr/share/applications/*.desktop)
[[ ${#entries[@]} -eq 1 ]] || fail "expected one desktop entry"
desktop=${entries[0]}
app_id=$(basename "$desktop" .desktop)

step "desktop-file-validate $app_id.desktop"
desktop-file-validate "$desktop"
wm_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
[[ $wm_class == "$(sed -n 's/^Name=//p' "$desktop")" ]] || fail "StartupWMClass '$wm_class' is not the program's name"

step "appstreamcli validate --no-net $app_id.metainfo.xml"
appstreamcli validate --no-net "$tree/usr/share/metainfo/$app_id.metainfo.xml"

step "icons"
icon_svg=$tree/usr/share/icons/hicolor/scalable/apps/$app_id.svg
[[ -s $icon_svg ]] || fail "no scalable icon"
for size in 16 22 24 32 48 64 128 256; do
  png=$tree/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png
  file "$png" | grep -q "PNG image data, $size x $size," || fail "no $size-pixel icon: $(file "$png")"
done

step "apt-get install -s"
if ! apt-cache policy libqt6widgets6 | grep -q 'Candidate: [0-9]'; then
  # No package lists yet: apt-get cannot resolve the dependencies without them.
  if [[ $(id -u) -eq 0 ]]; then apt-get update -qq; else sudo apt-get update -qq; fi
fi
apt-get install -s "$deb" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get cannot install the package"; }
grep -q "^Inst quorvandel " "$work/apt.log" || { cat "$work/apt.log"; fail "apt-get would not install quorvandel"; }

# The tree stands for a system-wide install: nobody may write it. Root may
# write anything, so as root the programs run as the user nobody.
chmod -R a-w "$tree"
home=$work/home
mkdir -p "$home/Desktop" "$home/.config"
mkdir -m 700 "$home/runtime"
printf 'XDG_DESKTOP_DIR="$HOME/Desktop"\n' >"$home/.config/user-dirs.dirs"
printf 'a line from the command line\n' >"$home/opened.txt"
as_user=()
if [[ $(id -u) -eq 0 ]]; then
  chown -R 65534:65534 "$home"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups --)
fi
run() {
  env -i PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home/runtime" \
    DISPLAY="${DISPLAY:-}" LANG=C.UTF-8 "${as_user[@]}" "$@"
}
settings_folder=$home/.config/Quorvandel

step "quorvandel-convert from the unpacked tree"
for program in quorvandel-convert quorvandel; do
  got=$(run "$tree/usr/bin/$program" --version | head -n 1)
  [[ $got == "$program $version" ]] || fail "$program --version says '$got'"
  run "$tree/usr/bin/$program" --version | grep -q GPL-3.0-or-later || fail "$program --version names no licence"
done
got=$(printf '\xf9\xec\xe5\xed' | run "$tree/usr/bin/quorvandel-convert" --set destination_char_set=5)
[[ $got == akuo ]] || fail "the conversion gave '$got'"
[[ -d $settings_folder ]] || fail "the converter did not take the per-user settings folder"

step "quorvandel-hotkey from the unpacked tree"
status=0
said=$(run "$tree/usr/bin/quorvandel-hotkey" default 2>&1) || status=$?
[[ $status -eq 1 && $said == "quorvandel: Quorvandel is not running." ]] ||
  fail "quorvandel-hotkey with no program running ended with $status, saying '$said'"

step "quorvandel from the unpacked tree, under Xvfb"
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
read -r -t 30 display <"$work/display" || fail "Xvfb did not start"
export DISPLAY=:$display
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)

# Waits up to a minute for a visible window of the program other than
# those given, and prints it.
new_window() {
  local tries window
  for ((tries = 0; tries < 300; tries++)); do
    for window in $(xdotool search --onlyvisible --class "$wm_class" 2>/dev/null); do
      [[ " $* " == *" $window "* ]] || { echo "$window"; return 0; }
    done
    sleep 0.2
  done
  return 1
}
# Makes the window the active one and types the keys into it.
type_into() {
  local window=$1 tries
  shift
  xdotool windowactivate --sync "$window"
  for ((tries = 0; tries < 50; tries++)); do
    [[ $(xdotool getactivewindow 2>/dev/null) == "$window" ]] && break
    sleep 0.1
  done
  xdotool key --clearmodifiers "$@"
}
# Waits for the window to be gone.
gone() {
  local tries
  for ((tries = 0; tries < 300; tries++)); do
    xdotool search --onlyvisible --class "$wm_class" 2>/dev/null | grep -qx "$1" || return 0
    sleep 0.2
  done
  return 1
}
# Waits for the program to end; its status must be 0.
ended() {
  local tries
  for ((tries = 0; tries < 300; tries++)); do
    kill -0 "$1" 2>/dev/null || { wait "$1"; return; }
    sleep 0.2
  done
  fail "the program did not end"
}

# The first run: the About box, the welcome and the operation settings,
# each answered with its default button, and the offer of a desktop
# launcher, accepted with its Yes (the focus rests on No).
run "$tree/usr/bin/quorvandel" >"$work/first-run.log" 2>&1 &
program=$!
pids+=($program)
main=$(new_window) || fail "no main window"
class=$(xprop -id "$main" WM_CLASS | sed -n 's/.*", "\(.*\)"$/\1/p')
[[ $class == "$wm_class" ]] || fail "the window's class is '$class', the desktop entry's '$wm_class'"
for answer in "About box:Return" "welcome:Return" "Preferences:Return" "Create Shortcut:alt+y"; do
  dialog=${answer%:*}
  window=$(new_window "$main") || fail "no $dialog dialog"
  type_into "$window" "${answer##*:}"
  gone "$window" || fail "the $dialog dialog stays"
done
[[ -f $settings_folder/Quorvandel.ini && -d "$settings_folder/Original files" && -d "$settings_folder/Converted files" ]] ||
  fail "the first run did not put the settings and the folders into $settings_folder"
launcher=$home/Desktop/"Quorvandel $version.desktop"
grep -qxF "Exec=\"$tree/usr/bin/quorvandel\"" "$launcher" || fail "the launcher does not start the installed program"
grep -qxF "Icon=$icon_svg" "$launcher" || fail "the launcher does not show the installed icon"
type_into "$main" alt+F4
ended "$program" || fail "the first run ended with status $?"

# The second run, with a file on the command line and the log-in entry
# switched on; the source pane's text reaches the clipboard through Ctrl+A,
# Ctrl+C.
sed -i 's/^launch_on_windows_startup=0/launch_on_windows_startup=1/' "$settings_folder/Quorvandel.ini"
run "$tree/usr/bin/quorvandel" "$home/opened.txt" >"$work/second-run.log" 2>&1 &
program=$!
pids+=($program)
main=$(new_window) || fail "no main window on the second run"
copied=""
for ((tries = 0; tries < 50; tries++)); do
  xdotool windowactivate --sync "$main" mousemove --window "$main" 120 200 click 1 key --clearmodifiers ctrl+a ctrl+c
  copied=$(xclip -o -selection clipboard 2>/dev/null || true)
  [[ -n $copied ]] && break
  sleep 0.2
done
[[ $copied == "a line from the command line"* ]] || fail "the source pane holds '$copied', not the file given"
type_into "$main" alt+F4
ended "$program" || fail "the second run ended with status $?"
autostart=$home/.config/autostart/Quorvandel.desktop
grep -qxF "Exec=\"$tree/usr/bin/quorvandel\"" "$autostart" || fail "the log-in entry does not start the installed program"
grep -qxF "Icon=$icon_svg" "$autostart" || fail "the log-in entry does not show the installed icon"
[[ -z $(find "$tree" -newer "$deb" -not -type d -print -quit) ]] || fail "the program wrote into its install tree"

echo "test-package: $(basename "$deb") passed"

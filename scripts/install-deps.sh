#!/usr/bin/env bash
# Installs the Debian packages that building and testing Quorvandel needs,
# skipping those already installed. Runs apt-get as root, through sudo otherwise.
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev
  clang libclang-rt-14-dev
  libfribidi-bin libc-bin time hyperfine jq
  libfribidi-dev hunspell-he wamerican
  # the dictionaries that words typed on the wrong keyboard layout are judged with
  libhunspell-dev hunspell-en-us
  # the X11 hotkeys, and the desktop tests' display, window manager, keys, clipboard and screenshots
  libxcb1-dev libxcb-xkb-dev libxcb-xtest0-dev x11proto-dev
  xvfb openbox xdotool xclip xterm x11-xkb-utils x11-utils trayer libx11-dev imagemagick
  # the Wayland hotkeys (wayland-client and its scanner), and their tests on headless
  # sway: native Qt and GTK 3 fields, the clipboard tools and swaymsg
  libwayland-dev libwayland-bin sway qt6-wayland wl-clipboard python3-gi gir1.2-gtk-3.0
  # the keys of the combination that sway's config binds to quorvandel-hotkey
  wtype
  # the desktop portal's tests: a mock portal on a private session bus
  python3-dbusmock dbus-daemon
  # the hotkey's targets in the desktop tests and make hotkey-latency: a browser engine, a GTK 3
  # editor and a terminal with its own copy keys
  chromium mousepad xfce4-terminal
  # the icon files, the manual page, the completion's test and make test-package
  qt6-svg-dev help2man bash-completion dpkg-dev lintian desktop-file-utils appstream file
  # the interface's translations: lupdate and lrelease, and Qt's own Hebrew texts
  qt6-l10n-tools qt6-translations-l10n
  # make test-windows: the cross compiler, GoogleTest's sources and Wine
  g++-mingw-w64-x86-64-posix googletest wine64
  # make windows: the installer
  nsis xz-utils
  # the UI tests under Wine: the fonts of Qt's headless platform there
  fonts-dejavu-core
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "Run as root or install sudo to install: ${missing[*]}" >&2; exit 1; }
  as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
# Another apt-get (a second build, the desktop's updater) may hold the lock:
# wait for it rather than fail.
lock_wait=(-o DPkg::Lock::Timeout=900)
"${as_root[@]}" apt-get "${lock_wait[@]}" update -qq
"${as_root[@]}" apt-get "${lock_wait[@]}" install -y -qq --no-install-recommends "${missing[@]}"

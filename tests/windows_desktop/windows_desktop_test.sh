#!/usr/bin/env bash
# The Windows programs end to end, as a user meets them: on a display of
# their own (Xvfb, the openbox window manager and the trayer system tray),
# under Wine with its X11 driver, in a Wine prefix of their own.
#   windows_desktop_test.sh CASE BUILD_FOLDER
# CASE: window (the main window and the tray icon), hotkey (the default
# hotkey converts a selection in Wine's notepad and gives the clipboard
# back), hotkey-option (the same asked for by "quorvandel.exe --hotkey
# default"), second-copy (a second copy hands its file to the running one)
# or installer (a silent install, the installed program starts, a silent
# uninstall removes it) or installer-all-users (the same for every user of
# the machine with a desktop shortcut; the program, whose folder its user
# may not write, keeps its settings and folders under %APPDATA%; the
# uninstaller removes them when asked). Every wait is for a sign (a window,
# a file, a changed clipboard) with a deadline; none is a fixed pause.
# QUORVANDEL_WINE_TEMPLATE, when set, is a Wine prefix made already, copied
# here instead of making one; QUORVANDEL_SCREENSHOT_DIR keeps the pictures.
set -euo pipefail
case_name=$1
build=$(cd "$2" && pwd)

# A folder its user may not write is one only for a user without root's
# rights, as a Windows user without an administrator's is: root runs this
# case as nobody, in a home of its own.
if [[ $case_name == installer-all-users && $(id -u) -eq 0 ]]; then
  home=$(mktemp -d "${TMPDIR:-/tmp}/quorvandel-nobody.XXXXXX")
  if [[ -n ${QUORVANDEL_WINE_TEMPLATE:-} ]]; then  # root's own: a copy for nobody, taken as it is
    cp -a "$QUORVANDEL_WINE_TEMPLATE" "$home/template"
    export QUORVANDEL_WINE_TEMPLATE=$home/template QUORVANDEL_WINE_TEMPLATE_TAKE=1
  fi
  chown -R 65534:65534 "$home"
  status=0
  setpriv --reuid=65534 --regid=65534 --clear-groups -- env HOME="$home" USER=nobody TMPDIR="$home" \
    bash "$0" "$case_name" "$build" || status=$?
  rm -rf "$home"
  exit "$status"
fi
program=$build/mainwindow/quorvandel.exe
title="Quorvandel 1.0.0"
deadline=${QUORVANDEL_TEST_DEADLINE:-90}  # seconds any one sign may take on a loaded machine

wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quorvandel-windows-desktop.XXXXXX")
pids=()
finish() {
  local status=$?
  WINEPREFIX=$scratch/prefix "$wineserver" -k 2>/dev/null || true
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  chmod -R u+w "$scratch" 2>/dev/null || true  # a folder made read-only
  rm -rf "$scratch"
  exit "$status"
}
trap finish EXIT

fail() {
  echo "FAILED ($case_name): $*" >&2
  shot failure || true
  if [[ -f $scratch/note.txt ]]; then echo "--- notepad's file: $(cat "$scratch/note.txt")" >&2; fi
  if [[ -s $scratch/wine.log ]]; then echo "--- Wine's output:" >&2; tail -30 "$scratch/wine.log" >&2; fi
  exit 1
}

# Runs the command until it succeeds, for at most $deadline seconds.
wait_for() {
  local what=$1
  shift
  local end=$((SECONDS + deadline))
  until "$@" >/dev/null 2>&1; do
    ((SECONDS < end)) || fail "no sign of $what after ${deadline} s"
    sleep 0.1
  done
}

shot() {
  local folder=${QUORVANDEL_SCREENSHOT_DIR:-$scratch}
  import -window root "$folder/windows-$case_name-$1.png"
  echo "screenshot: $folder/windows-$case_name-$1.png"
}

# The windows xdotool search finds (none: status 1). A window that goes
# away while it walks the tree ends it with an X error: it is asked again.
windows_now() {
  local found
  while :; do
    found=$(xdotool search "$@" 2>"$scratch/xdotool.err") && { echo "$found"; return 0; }
    grep -q "X Error" "$scratch/xdotool.err" || return 1
  done
}

unset QT_QPA_PLATFORM  # Qt's own platform of the system: windows

# The display, its window manager and its system tray.
Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp >"$scratch/display" 2>/dev/null &
pids+=($!)
wait_for "the X display" test -s "$scratch/display"
export DISPLAY=:$(head -n1 "$scratch/display")
openbox >/dev/null 2>&1 &
pids+=($!)
wait_for "the window manager" sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'
trayer --edge top --align right --widthtype request --height 32 >/dev/null 2>&1 &
pids+=($!)
wait_for "the system tray" windows_now --classname panel

# The Wine prefix, with Wine's X11 driver and no window of the first start.
# A program that crashes ends at once instead of waiting in Wine's debugger.
export WINEPREFIX=$scratch/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
if [[ -n ${QUORVANDEL_WINE_TEMPLATE_TAKE:-} ]]; then
  mv "$QUORVANDEL_WINE_TEMPLATE" "$WINEPREFIX"
  "$wine" reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f >/dev/null 2>&1 || true
elif [[ -n ${QUORVANDEL_WINE_TEMPLATE:-} ]]; then
  cp -a "$QUORVANDEL_WINE_TEMPLATE" "$WINEPREFIX"
  "$wine" reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f >/dev/null 2>&1 || true
else
  "$wine" wineboot --init >/dev/null 2>&1 || true
fi
"$wineserver" -p </dev/null >/dev/null 2>&1 || true  # kept for the whole test

# A program folder with a settings file, so that the first-run sequence
# stays away; its window at a fixed place.
make_program_folder() {
  local folder=$1
  mkdir -p "$folder"
  cp "$program" "$folder/quorvandel.exe"
  printf '[Configuration]\r\nwindow_pos_x=40\r\nwindow_pos_y=60\r\nwindow_width=600\r\nwindow_height=420\r\n' \
    >"$folder/Quorvandel.ini"
}

window_shown() { windows_now --onlyvisible --name "^$1\$"; }

# The tray icon: Wine's desktop process (explorer.exe) docks each icon of
# the Windows notification area into the X system tray, here trayer's
# panel, as a window of its own. (Wine does not always paint it at once.)
tray_icon_docked() {
  local panel
  panel=$(windows_now --classname panel | head -n1)
  xwininfo -tree -id "$panel" | grep -q '("explorer.exe" "explorer.exe")'
}

# Wine's shell (explorer.exe) starts with the first window and holds the
# notification area; on Windows it runs before any program. Notepad's
# window is the sign that it runs.
start_notepad() {
  "$wine" notepad "$@" >>"$scratch/wine.log" 2>&1 &
  pids+=($!)
  wait_for "notepad's window" window_shown ".* - Notepad"
}

more_notepad_windows_than() { (($(windows_now --onlyvisible --classname notepad.exe | wc -l) > $1)); }

start_program() {
  "$wine" "$1" >>"$scratch/wine.log" 2>&1 &
  pids+=($!)
  wait_for "the window \"$title\"" window_shown "$title"
}

# The hotkey option of a second copy.
hotkey_option() { "$wine" "$scratch/program/quorvandel.exe" --hotkey "$1" >>"$scratch/wine.log" 2>&1; }

# The default hotkey, pressed by the command given, converts notepad's
# selection in place and gives the clipboard back.
convert_in_notepad() {
  # The default profile reads the English keys of the Hebrew layout:
  # "akuo" typed there is shalom.
  make_program_folder "$scratch/program"
  printf '[Default_Settings]\r\nsource_char_set=5\r\n' >>"$scratch/program/Quorvandel.ini"
  printf '\xef\xbb\xbfakuo' >"$scratch/note.txt"
  converted=$'\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d'
  start_notepad "Z:${scratch//\//\\}\\note.txt"
  start_program "$scratch/program/quorvandel.exe"
  notepad=$(windows_now --onlyvisible --name "^note.* - Notepad\$" | head -n1)
  # The user's clipboard, held by xclip until someone else takes it.
  printf 'kept on the clipboard' | xclip -selection clipboard -i -loops 0 &
  holder=$!
  wait_for "the clipboard" sh -c 'xclip -o -selection clipboard | grep -q "^kept on the clipboard$"'
  # A click into notepad's text (above the program's window) gives it the
  # focus, as a user's would.
  xdotool windowraise "$notepad" mousemove --window "$notepad" 400 30 click 1
  wait_for "notepad taking the focus" sh -c "test \"\$(xdotool getactivewindow)\" = $notepad"
  xdotool key ctrl+a
  "$@" || fail "the command that presses the hotkey ended with $?"
  # The program takes the clipboard (xclip ends), and gives it back.
  wait_for "the hotkey taking the clipboard" sh -c "! kill -0 $holder"
  wait_for "the clipboard given back" sh -c 'xclip -o -selection clipboard | grep -q "^kept on the clipboard$"'
  # Saved through its File menu, with the mouse and the menu's letter:
  # no modifier key to mix with the program's own keys.
  menus_before=$(windows_now --onlyvisible --classname notepad.exe | wc -l)
  xdotool mousemove --window "$notepad" 20 10 click 1
  wait_for "notepad's File menu" more_notepad_windows_than "$menus_before"
  xdotool key s
  wait_for "the converted text in notepad's file" grep -q "$converted" "$scratch/note.txt"
  grep -q akuo "$scratch/note.txt" && fail "the typed text is still there: $(cat "$scratch/note.txt")"
  shot notepad
}

case $case_name in
  window)
    make_program_folder "$scratch/program"
    start_notepad
    start_program "$scratch/program/quorvandel.exe"
    wait_for "the tray icon" tray_icon_docked
    read -r width height < <(xdotool getwindowgeometry "$(window_shown "$title" | head -n1)" |
      sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p' | head -n1)
    ((width >= 400 && height >= 300)) || fail "the window is ${width}x${height}"
    shot main-window
    ;;
  hotkey)
    convert_in_notepad xdotool key ctrl+shift+F12
    ;;
  hotkey-option)
    convert_in_notepad hotkey_option default
    ;;
  second-copy)
    make_program_folder "$scratch/program"
    printf 'handed over\r\n' >"$scratch/handed.txt"
    status=0
    "$wine" "$scratch/program/quorvandel.exe" --hotkey default >>"$scratch/wine.log" 2>&1 || status=$?
    ((status == 1)) || fail "--hotkey with no copy running ended with $status"
    start_program "$scratch/program/quorvandel.exe"
    # Started in the file's folder, with its name alone, as a file manager
    # or a shell would.
    (cd "$scratch" && "$wine" "$scratch/program/quorvandel.exe" handed.txt >>"$scratch/wine.log" 2>&1) ||
      fail "the second copy ended with $?"
    # The running copy opened it, and so lists it among its recent files.
    wait_for "the handed file among the recent files" grep -q '^file1=.*handed\.txt' "$scratch/program/Quorvandel.ini"
    windows=$(windows_now --onlyvisible --name "^$title\$" | wc -l)
    ((windows == 1)) || fail "$windows windows titled \"$title\""
    # The hotkey option reaches it: the program's answer (0) says it took it.
    "$wine" "$scratch/program/quorvandel.exe" --hotkey active >>"$scratch/wine.log" 2>&1 ||
      fail "--hotkey with a copy running ended with $?"
    shot handed-over
    ;;
  installer)
    setup=$(ls "$build"/Quorvandel-*-setup.exe)
    "$wine" "$setup" /S >>"$scratch/wine.log" 2>&1 || fail "the silent install failed"
    user_folder=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData | grep -v /Public/ | head -n1)
    installed=$user_folder/Local/Programs/Quorvandel
    start_menu="$user_folder/Roaming/Microsoft/Windows/Start Menu/Programs/Quorvandel.lnk"
    for file in quorvandel.exe quorvandel-convert.exe README.md Uninstall.exe; do
      test -f "$installed/$file" || fail "$file is not installed in $installed"
    done
    test -f "$start_menu" || fail "no Start menu entry"
    test ! -e "$user_folder/../Desktop/Quorvandel.lnk" || fail "a desktop shortcut nobody asked for"
    uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvandel'
    "$wine" reg query "$uninstall_key" /v UninstallString 2>/dev/null | grep -q 'Uninstall.exe' ||
      fail "not listed among the installed apps"
    # The installed program starts (a first run: its window, then the About box).
    start_program "$installed/quorvandel.exe"
    shot installed-program
    kill "${pids[-1]}"
    wait_for "the installed program's end" sh -c "! kill -0 ${pids[-1]}"
    printf '[Configuration]\r\nwindow_pos_x=40\r\n' >"$installed/Quorvandel.ini"  # the user's settings
    "$wine" "$installed/Uninstall.exe" /S >>"$scratch/wine.log" 2>&1 || fail "the silent uninstall failed"
    # The uninstaller runs on from a copy of itself and ends when all is gone.
    wait_for "the uninstall" sh -c "! test -e '$installed/Uninstall.exe'"
    leftovers=$(cd "$installed" && ls -A)
    [[ $leftovers == Quorvandel.ini ]] || fail "left in the program's folder: $leftovers"
    test ! -e "$start_menu" || fail "the Start menu entry is still there"
    "$wine" reg query "$uninstall_key" >/dev/null 2>&1 && fail "still listed among the installed apps"
    ;;
  installer-all-users)
    setup=$(ls "$build"/Quorvandel-*-setup.exe)
    "$wine" "$setup" /S /AllUsers /DesktopShortcut >>"$scratch/wine.log" 2>&1 || fail "the silent install failed"
    installed="$WINEPREFIX/drive_c/Program Files/Quorvandel"
    start_menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quorvandel.lnk"
    desktop="$WINEPREFIX/drive_c/users/Public/Desktop/Quorvandel.lnk"
    for file in quorvandel.exe quorvandel-convert.exe README.md Uninstall.exe; do
      test -f "$installed/$file" || fail "$file is not installed in $installed"
    done
    test -f "$start_menu" || fail "no Start menu entry for every user"
    test -f "$desktop" || fail "no desktop shortcut for every user"
    uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvandel'
    quiet_uninstall=$("$wine" reg query "$uninstall_key" /v QuietUninstallString 2>/dev/null | tr -d '\r' |
      sed -n 's/.*REG_SZ *//p')
    [[ $quiet_uninstall == *Uninstall.exe*/AllUsers*/S ]] || fail "not listed among the machine's apps: $quiet_uninstall"
    # Program Files, as its user sees it: not writable. The first run then
    # puts the settings and the default folders under %APPDATA%.
    chmod a-w "$installed"
    start_program "$installed/quorvandel.exe"
    # The About box (without a title), the word of welcome, the operation
    # settings (OK writes them) and the offer of a shortcut (declined), each
    # answered with its default button once it has the focus.
    main=$(window_shown "$title" | head -n1)
    other_window() {
      local window
      window=$(windows_now --onlyvisible "$@" | grep -vx "$main" | head -n1)
      [[ -n $window ]] && echo "$window"
    }
    answer() {
      local window
      wait_for "$1" other_window "${@:3}"
      window=$(other_window "${@:3}")
      wait_for "the focus in $1" sh -c "test \"\$(xdotool getactivewindow)\" = $window"
      xdotool key "$2"
    }
    answer "the About box" Return --classname quorvandel.exe
    answer "the word of welcome" Return --name "^$title\$"
    wait_for "the preferences" window_shown "Preferences - $title"
    settings_folder=$(find "$WINEPREFIX/drive_c/users" -path '*/AppData/Roaming/Quorvandel' -type d)
    [[ -n $settings_folder ]] || fail "no settings folder under %APPDATA%"
    for folder in "Original files" "Converted files"; do
      test -d "$settings_folder/$folder" || fail "no '$folder' folder in $settings_folder"
    done
    shot preferences
    answer "the preferences" Return --name "^Preferences - $title\$"
    # The settings file takes its keys one at a time.
    wait_for "the settings file with the default folders" grep -q \
      "^default_dest_path=C:.*AppData.Roaming.Quorvandel.Converted files" "$settings_folder/Quorvandel.ini"
    grep -q "^default_source_path=C:.*AppData.Roaming.Quorvandel.Original files" "$settings_folder/Quorvandel.ini" ||
      fail "the settings file names other folders: $(cat "$settings_folder/Quorvandel.ini")"
    wait_for "the offer of a shortcut" other_window --name "^Create Shortcut"
    shot shortcut-offer
    answer "the offer of a shortcut" Return --name "^Create Shortcut"  # its default answer: No
    wait_for "the offer's end" eval '! windows_now --onlyvisible --name "^Create Shortcut"'
    (($(ls -A "$installed" | wc -l) == 4)) || fail "written into the program's folder: $(ls -A "$installed")"
    kill "${pids[-1]}"
    wait_for "the installed program's end" sh -c "! kill -0 ${pids[-1]}"
    chmod u+w "$installed"
    "$wine" "$installed/Uninstall.exe" /AllUsers /S /RemoveSettings >>"$scratch/wine.log" 2>&1 ||
      fail "the silent uninstall failed"
    wait_for "the uninstall" sh -c "! test -e '$installed'"
    test ! -e "$start_menu" || fail "the Start menu entry is still there"
    test ! -e "$desktop" || fail "the desktop shortcut is still there"
    test ! -e "$settings_folder" || fail "the settings are still there: $(ls -AR "$settings_folder")"
    "$wine" reg query "$uninstall_key" >/dev/null 2>&1 && fail "still listed among the machine's apps"
    ;;
  *)
    fail "no such case"
    ;;
esac
echo "PASSED ($case_name)"

#!/usr/bin/env bash
# Measures how long the hotkey takes end to end in the programs people type
# in: from the moment xdotool has sent the keys of Ctrl+Shift+F12 (pressed
# and released) until the converted text is in place. Runs on a virtual X
# display of its own (Xvfb with openbox), like the desktop tests, and prints
# the median for each program:
#   field     our own Qt text field (tests/desktop/field), its text in a file
#   chromium  a text area of a local page, its text in the page's title
#   mousepad  a GTK 3 editor, the paste seen as the title's changed mark
#   terminal  xfce4-terminal (Ctrl+Shift+C and V), a shell reading the
#             pasted bytes at once
#   tk        a Tk entry (wish), its text in a file; Tk on X11 pastes
#             beside the selection, so the converted text's arrival counts
#
#   scripts/hotkey-latency.sh BUILD_DIR [ROUNDS] [PROGRAM...]
#
# Needs the programs quorvandel and quorvandel-text-field built in BUILD_DIR
# (cmake --build BUILD_DIR --target quorvandel quorvandel-text-field).
set -euo pipefail
build=${1:?usage: hotkey-latency.sh BUILD_DIR [ROUNDS] [PROGRAM...]}
rounds=${2:-20}
shift $(($# >= 2 ? 2 : 1))
programs=("$@")
((${#programs[@]})) || programs=(field chromium mousepad terminal)
if ((${#programs[@]} == 4)) && command -v wish >/dev/null; then programs+=(tk); fi
quorvandel=$build/mainwindow/quorvandel
field=$build/tests/quorvandel-text-field
[[ -x $quorvandel && -x $field ]] || { echo "build quorvandel and quorvandel-text-field in $build first" >&2; exit 2; }

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Polls until the command succeeds; gives up after 60 s, or after the
# seconds wait_until_for is given.
wait_until() { wait_until_for 60 "$@"; }
wait_until_for() {
  local end=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < end)) || { echo "gave up waiting for: $*" >&2; return 1; }
    sleep 0.01
  done
}
# The title without the marks of direction a browser wraps Hebrew titles in.
title_of() {
  xprop -id "$1" -notype _NET_WM_NAME 2>/dev/null | sed -n 's/^_NET_WM_NAME = "\(.*\)"$/\1/p' |
    LC_ALL=C sed 's/\xe2\x80[\x8e\x8f\xaa-\xae]//g; s/\xe2\x81[\xa6-\xa9]//g'
}
title_is() { [[ $(title_of "$1") == "$2" ]]; }
title_starts() { [[ $(title_of "$1") == "$2"* ]]; }
primary_is() { [[ $(xclip -selection primary -o 2>/dev/null) == "$1" ]]; }
file_is() { [[ -f $1 && $(<"$1") == "$2" ]]; }
managed() { xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -q "$(printf '0x%x' "$1")"; }
# Selects the word at the top left of a terminal with a double click, as a
# user does, and waits until it is the primary selection. On a loaded
# machine the two clicks may reach the terminal farther apart than its
# double-click time; then they selected nothing, and the word is clicked
# on again.
select_word() {
  local end=$((SECONDS + 60))
  until primary_is akuo; do
    ((SECONDS < end)) || { echo "the terminal's word was not selected" >&2; return 1; }
    xdotool mousemove --window "$1" 12 8 click 1 click 1
    wait_until_for 2 primary_is akuo && return 0
  done
}
# Activates the managed window whose title matches; prints its id.
activate() {
  local id=
  find_managed() {
    local candidate
    for candidate in $(xdotool search --name "$1" 2>/dev/null); do
      managed "$candidate" && { id=$candidate; return 0; }
    done
    return 1
  }
  wait_until find_managed "$1"
  xdotool windowactivate --sync "$id" 2>/dev/null
  echo "$id"
}

mkdir -p "$work/program" "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
exec {display_fd}>"$work/display"
Xvfb -displayfd "$display_fd" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
pids+=($!)
wait_until test -s "$work/display"
export DISPLAY=:$(head -1 "$work/display")
export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8
setxkbmap us,il
openbox >/dev/null 2>&1 &
pids+=($!)
wm_ready() { xprop -root _NET_SUPPORTED 2>/dev/null | grep -q _NET_ACTIVE_WINDOW; }
wait_until wm_ready

cp "$quorvandel" "$work/program/"
printf '[Configuration]\nwindow_pos_x=520\nwindow_pos_y=300\nwindow_width=480\nwindow_height=400\n[Default_Settings]\nsource_char_set=5\n' \
  >"$work/program/Quorvandel.ini"
"$work/program/quorvandel" >/dev/null 2>&1 &
pids+=($!)
# The program names its window as soon as it creates it, but registers its
# hotkeys before it shows the window: a press before that would be lost.
program_shown() {
  local candidate
  for candidate in $(xdotool search --name '^Quorvandel 1' 2>/dev/null); do
    managed "$candidate" && return 0
  done
  return 1
}
wait_until program_shown
users_clipboard="the user's clipboard"
printf '%s' "$users_clipboard" | xclip -selection clipboard -i
# The user's clipboard given back is a conversion's last step; a hotkey
# pressed while the program is still busy with the last one does nothing.
clipboard_given_back() { [[ $(xclip -selection clipboard -o 2>/dev/null) == "$users_clipboard" ]]; }

# The time in microseconds, read without starting a process (nor a
# subshell): a poll that forks would add its own delay to what it measures.
now_us() { now=${EPOCHREALTIME/./}; }
converted=$'\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d'
# The file's content, read by the shell itself.
file_holds() {
  local content=
  [[ -f $1 ]] && IFS= read -r -d '' content <"$1"
  [[ $content == $2 ]]
}

# Presses the hotkey and prints the milliseconds from its release (xdotool
# has let every key go) until the file's content matches the pattern.
measure_file() {
  local start deadline
  xdotool key ctrl+shift+F12
  now_us
  start=$now
  deadline=$((start + 5000000))
  until file_holds "$1" "$2"; do
    now_us
    ((now < deadline)) || { echo "no conversion within 5 s" >&2; return 1; }
  done
  now_us
  echo $(((now - start) / 1000))
}

# Presses the hotkey and prints the milliseconds until the window's title
# matches the pattern, each change of the title timed as it is reported. A
# title that ends in @ and the milliseconds since 1970 (a page's clock)
# tells when the text changed, before the browser passed the title on.
measure_title() {
  local window=$1 pattern=$2 start line at
  coproc spy { exec xprop -spy -id "$window" -notype _NET_WM_NAME 2>/dev/null; }
  IFS= read -r line <&"${spy[0]}"  # the title before
  xdotool key ctrl+shift+F12
  now_us
  start=$now
  while IFS= read -r -t 5 line <&"${spy[0]}"; do
    now_us
    at=$now
    line=$(sed -n 's/^_NET_WM_NAME = "\(.*\)"$/\1/p' <<<"$line" |
      LC_ALL=C sed 's/\xe2\x80[\x8e\x8f\xaa-\xae]//g; s/\xe2\x81[\xa6-\xa9]//g')
    if [[ $line == $pattern ]]; then
      [[ $line =~ @([0-9]+)$ ]] && at=$((BASH_REMATCH[1] * 1000))
      kill "$spy_PID" 2>/dev/null
      echo $(((at - start) / 1000))
      return 0
    fi
  done
  kill "$spy_PID" 2>/dev/null
  echo "no conversion within 5 s" >&2
  return 1
}

# Each round_PROGRAM sets the selection up (not measured) and measures.
start_field() { :; }
round_field() {
  rm -f "$work/field.txt"
  "$field" "$work/field.txt" akuo >/dev/null 2>&1 &
  local field_pid=$!
  wait_until file_is "$work/field.txt" akuo
  activate '^Quorvandel test field$' >/dev/null
  local status=0
  measure_file "$work/field.txt" "$converted" || status=$?
  wait_until clipboard_given_back || status=1
  kill "$field_pid"
  wait "$field_pid" 2>/dev/null || true
  return $status
}

start_chromium() {
  cat >"$work/field.html" <<'PAGE'
<!DOCTYPE html><html><head><meta charset="utf-8"><title>-</title></head><body>
<textarea id="t" autofocus>akuo</textarea><script>
const t = document.getElementById('t');
const show = () => { document.title = 'field:' + t.value + '@' + Date.now(); };
t.addEventListener('input', show); t.focus(); t.select(); show();
</script></body></html>
PAGE
  chromium --no-sandbox --disable-gpu --no-first-run --disable-background-networking --disable-component-update \
    --disable-sync --password-store=basic --user-data-dir="$work/chromium" --app="file://$work/field.html" \
    >/dev/null 2>&1 &
  pids+=($!)
  chromium_window=$(activate '^field:')
}
round_chromium() {
  xdotool windowactivate --sync "$chromium_window" 2>/dev/null
  xdotool key F5  # reloads the page: the text selected again
  wait_until title_starts "$chromium_window" "field:akuo@"
  measure_title "$chromium_window" "field:$converted@*" && wait_until clipboard_given_back
}

start_mousepad() {
  printf akuo >"$work/document.txt"
  mousepad "$work/document.txt" >/dev/null 2>&1 &
  pids+=($!)
  mousepad_window=$(activate 'document\.txt - Mousepad$')
}
round_mousepad() {
  xdotool windowactivate --sync "$mousepad_window" 2>/dev/null
  xdotool key ctrl+a && xdotool type akuo && xdotool key ctrl+s
  wait_until file_is "$work/document.txt" akuo
  wait_until title_starts "$mousepad_window" "$work/document.txt"
  xdotool key ctrl+a
  wait_until primary_is akuo
  measure_title "$mousepad_window" '\**' && wait_until clipboard_given_back
}

start_terminal() {
  # The shell shows the word at the top left, takes the pasted bytes as
  # they come (no line editing), and then begins the next round. The
  # terminal handles its output in order, so once the title names the
  # round, the word is on the screen and the shell reads.
  xfce4-terminal --disable-server --hide-menubar --hide-toolbar --hide-scrollbar --geometry 60x8+10+10 \
    --initial-title 'Quorvandel latency terminal' --dynamic-title-mode=replace -x sh -c "round=0; while :; do
      round=\$((round + 1)); clear; echo akuo; stty -icanon; printf '\033]2;Quorvandel latency terminal %d\007' \$round
      head -c 8 > '$work/pasted.tmp'; mv '$work/pasted.tmp' '$work/pasted'; stty icanon; done" \
    >/dev/null 2>&1 &
  pids+=($!)
  terminal_window=$(activate '^Quorvandel latency terminal')
}
round_terminal() {
  wait_until title_is "$terminal_window" "Quorvandel latency terminal $1"
  rm -f "$work/pasted"
  xdotool windowactivate --sync "$terminal_window" 2>/dev/null
  # xclip stays behind to hold the selection: with its output on the
  # round's it would keep the round's output open until it lets go.
  xclip -selection primary -i /dev/null >/dev/null 2>&1
  select_word "$terminal_window"
  measure_file "$work/pasted" "$converted" && wait_until clipboard_given_back
}

start_tk() {
  cat >"$work/field.tcl" <<'TCL'
set out [lindex $argv 0]
wm title . "Quorvandel latency Tk"
entry .e -textvariable text -width 30
pack .e
proc save {args} {
  global out text
  set f [open $out.part w]
  fconfigure $f -encoding utf-8
  puts -nonewline $f $text
  close $f
  file rename -force $out.part $out
}
trace add variable text write save
set text akuo
.e selection range 0 end
focus -force .e
TCL
}
round_tk() {
  rm -f "$work/tk.txt"
  wish "$work/field.tcl" "$work/tk.txt" >/dev/null 2>&1 &
  local tk_pid=$!
  wait_until file_is "$work/tk.txt" akuo
  activate '^Quorvandel latency Tk$' >/dev/null
  local status=0
  measure_file "$work/tk.txt" "*$converted*" || status=$?
  wait_until clipboard_given_back || status=1
  kill "$tk_pid"
  wait "$tk_pid" 2>/dev/null || true
  return $status
}

for program in "${programs[@]}"; do
  "start_$program"
  results=()
  for round in $(seq "$rounds"); do
    result=$(round_"$program" "$round") || { echo "$program: round $round did not convert" >&2; exit 1; }
    results+=("$result")
  done
  sorted=($(printf '%s\n' "${results[@]}" | sort -n))
  count=${#sorted[@]}
  echo "$program: hotkey to converted selection, $count rounds (ms): ${results[*]}"
  printf '%-9s median %4d ms, fastest %4d ms, slowest %4d ms\n' "$program" "${sorted[$((count / 2))]}" "${sorted[0]}" \
    "${sorted[$((count - 1))]}"
done

#!/usr/bin/env bash
# Measures how long the hotkey takes end to end: from the moment xdotool has
# sent the keys of Ctrl+Shift+F12 (pressed and released) until the text
# field of another process holds the converted text. Runs on a virtual X
# display of its own (Xvfb with openbox), like the desktop tests.
#
#   scripts/hotkey-latency.sh BUILD_DIR [ROUNDS]
#
# Needs the programs quorvandel and quorvandel-text-field built in BUILD_DIR
# (cmake --build BUILD_DIR --target quorvandel quorvandel-text-field).
set -euo pipefail
build=${1:?usage: hotkey-latency.sh BUILD_DIR [ROUNDS]}
rounds=${2:-20}
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

mkdir -p "$work/program" "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
exec {display_fd}>"$work/display"
Xvfb -displayfd "$display_fd" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.05; done
export DISPLAY=:$(head -1 "$work/display")
export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8
setxkbmap us
openbox >/dev/null 2>&1 &
pids+=($!)

cp "$quorvandel" "$work/program/"
printf '[Configuration]\nwindow_pos_x=520\nwindow_pos_y=300\nwindow_width=480\nwindow_height=400\n[Default_Settings]\nsource_char_set=5\n' \
  >"$work/program/Quorvandel.ini"
"$work/program/quorvandel" >/dev/null 2>&1 &
pids+=($!)
xdotool search --sync --name '^Quorvandel 1' >/dev/null
printf 'the user'"'"'s clipboard' | xclip -selection clipboard -i

now_us() { local t; t=$(date +%s%N); echo $((t / 1000)); }
converted=$'\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d'
results=()
for round in $(seq "$rounds"); do
  rm -f "$work/field.txt"
  "$field" "$work/field.txt" akuo >/dev/null 2>&1 &
  field_pid=$!
  until [[ -s $work/field.txt ]]; do sleep 0.01; done
  xdotool search --sync --name '^Quorvandel test field$' windowactivate --sync 2>/dev/null
  sleep 0.2  # let the field settle; not measured
  xdotool key ctrl+shift+F12
  start=$(now_us)
  deadline=$((start + 5000000))
  while [[ $(<"$work/field.txt") != "$converted" ]]; do
    (($(now_us) < deadline)) || { echo "round $round: no conversion within 5 s" >&2; break; }
  done
  end=$(now_us)
  results+=($(((end - start) / 1000)))
  kill "$field_pid"
  wait "$field_pid" 2>/dev/null || true
done

sorted=($(printf '%s\n' "${results[@]}" | sort -n))
count=${#sorted[@]}
median=${sorted[$((count / 2))]}
echo "hotkey to converted selection, $count rounds (ms): ${results[*]}"
echo "median ${median} ms, fastest ${sorted[0]} ms, slowest ${sorted[$((count - 1))]} ms"
echo "against the 600 ms of two fixed 300 ms waits: $(awk -v m="$median" 'BEGIN { printf "%.1f", 600 / m }')x faster (median)"

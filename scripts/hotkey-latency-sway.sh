#!/usr/bin/env bash
# Measures how long the hotkey takes end to end on Wayland: from the moment
# the command a sway key binding runs (quorvandel-hotkey default) starts
# until the native Wayland text field of another process holds the
# converted text; and, in alternate rounds of the same run, the same with
# the program's own "quorvandel --hotkey default". Runs on a headless sway
# of its own, as the user nobody (sway refuses root), like the Wayland
# desktop tests.
#
#   scripts/hotkey-latency-sway.sh BUILD_DIR [ROUNDS]
#
# Needs quorvandel, quorvandel-hotkey and quorvandel-text-field built in BUILD_DIR.
set -euo pipefail
build=${1:?usage: hotkey-latency-sway.sh BUILD_DIR [ROUNDS]}
rounds=${2:-20}
quorvandel=$(realpath "$build/mainwindow/quorvandel")
client=$(realpath "$build/mainwindow/quorvandel-hotkey")
field=$(realpath "$build/tests/quorvandel-text-field")
[[ -x $quorvandel && -x $client && -x $field ]] ||
  { echo "build quorvandel, quorvandel-hotkey and quorvandel-text-field in $build first" >&2; exit 2; }

work=$(mktemp -d)
chmod 755 "$work"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/program" "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
echo 'xwayland disable' >"$work/sway.config"
cp "$quorvandel" "$client" "$work/program/"
printf '[Configuration]\nwindow_pos_x=520\nwindow_pos_y=300\nwindow_width=480\nwindow_height=400\n[Default_Settings]\nsource_char_set=5\n' \
  >"$work/program/Quorvandel.ini"
chown -R nobody:nogroup "$work"

# Runs the command as nobody in the session. Started with & it is the
# program itself whose id $! holds, so that it can be stopped.
exec_as_user() {
  exec setpriv --reuid=nobody --regid=nogroup --clear-groups env -i PATH=/usr/local/bin:/usr/bin:/bin \
    HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" LC_ALL=C.UTF-8 ${WAYLAND_DISPLAY:+WAYLAND_DISPLAY=$WAYLAND_DISPLAY} "$@"
}
as_user() { (exec_as_user "$@"); }

exec_as_user WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c "$work/sway.config" \
  >"$work/sway.log" 2>&1 &
pids+=($!)
# Ready once its Wayland and IPC sockets exist.
until compgen -G "$work/runtime/wayland-[0-9]" >/dev/null && compgen -G "$work/runtime/sway-ipc.*" >/dev/null; do
  sleep 0.02
done
WAYLAND_DISPLAY=$(basename "$(compgen -G "$work/runtime/wayland-[0-9]" | head -1)")
swaysock=$(compgen -G "$work/runtime/sway-ipc.*" | head -1)
tree() { swaymsg -s "$swaysock" -t get_tree | jq -r "$1"; }

exec_as_user QT_QPA_PLATFORM=wayland "$work/program/quorvandel" >/dev/null 2>&1 &
pids+=($!)
until [[ -n $(tree '.. | objects | select((.name // "") | startswith("Quorvandel 1")) | .id') ]]; do sleep 0.05; done
as_user sh -c "printf 'the user'\\''s clipboard' | wl-copy"

# The clock in microseconds, read without starting a process.
now_us() { now=${EPOCHREALTIME/./}; }
# A shell of the user's, kept running, starts each measured command as a
# compositor's key binding does, with a fork and an exec: the setpriv and
# env that start the other processes here would add their own start to
# each figure. It answers with the command's start and end times.
coproc runner { exec_as_user QT_QPA_PLATFORM=wayland bash; }
pids+=("$runner_PID")
run_timed() {
  printf '%s\n' "s=\${EPOCHREALTIME/./}; $1 >/dev/null 2>&1; e=\${EPOCHREALTIME/./}; echo \"\$s \$e\"" >&"${runner[1]}"
  read -r started ended <&"${runner[0]}"
}
converted=$'\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d'
# Of each command, each round's whole time and the command's own run (its
# start and the hand-over), in ms.
declare -A whole commands
kinds=(client option)
command_line() {
  case $1 in
    client) echo "$work/program/quorvandel-hotkey default" ;;
    option) echo "$work/program/quorvandel --hotkey default" ;;
  esac
}
for round in $(seq "$rounds"); do
  for kind in "${kinds[@]}"; do
    rm -f "$work/home/field.txt"
    exec_as_user QT_QPA_PLATFORM=wayland "$field" "$work/home/field.txt" akuo >/dev/null 2>&1 &
    field_pid=$!
    until [[ -s $work/home/field.txt ]]; do sleep 0.01; done
    until [[ $(tree '.. | objects | select(.focused == true) | .name') == "Quorvandel test field" ]]; do sleep 0.01; done
    sleep 0.2  # let the field settle; not measured
    run_timed "$(command_line "$kind")"
    deadline=$((started + 5000000))
    while [[ $(<"$work/home/field.txt") != "$converted" ]]; do
      now_us
      ((now < deadline)) || { echo "round $round ($kind): no conversion within 5 s" >&2; break; }
    done
    now_us
    whole[$kind]+="$(((now - started) / 1000)) "
    commands[$kind]+="$(((ended - started) / 1000)) "
    kill "$field_pid"
    wait "$field_pid" 2>/dev/null || true
  done
done

# The reference for the command's start: a program of the system's
# started the same way, in the same run.
bare=()
for round in $(seq "$rounds"); do
  run_timed /bin/true
  bare+=($(((ended - started) / 1000)))
done

median() { printf '%s\n' "$@" | sort -n | sed -n "$(($# / 2 + 1))p"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", a / (b > 0 ? b : 1) }'; }
bare_median=$(median "${bare[@]}")
for kind in "${kinds[@]}"; do
  read -r -a results <<<"${whole[$kind]}"
  read -r -a own <<<"${commands[$kind]}"
  mapfile -t sorted < <(printf '%s\n' "${results[@]}" | sort -n)
  count=${#sorted[@]}
  name=$(command_line "$kind")
  name=${name##*/}
  echo "sway: '$name' to converted selection, $count rounds (ms): ${results[*]}"
  echo "sway:   median $(median "${results[@]}") ms, fastest ${sorted[0]} ms, slowest ${sorted[$((count - 1))]} ms"
  echo "sway:   of which the command itself (a process start and the hand-over), median $(median "${own[@]}") ms:" \
    "$(ratio "$(median "${own[@]}")" "$bare_median")x that of /bin/true started the same way ($bare_median ms)"
done
read -r -a client_results <<<"${whole[client]}"
read -r -a option_results <<<"${whole[option]}"
client_median=$(median "${client_results[@]}")
echo "sway: quorvandel-hotkey against quorvandel --hotkey, whole medians: $(ratio "$(median "${option_results[@]}")" "$client_median")x faster"
echo "sway: against the 600 ms of two fixed 300 ms waits: $(ratio 600 "$client_median")x faster (median)"
echo "sway: against the 150 ms target: $(ratio "$client_median" 150)x of it (median)"
echo "sway: load average while measured: $(cut -d' ' -f1-3 /proc/loadavg)"

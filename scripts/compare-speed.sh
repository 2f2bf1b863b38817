#!/usr/bin/env bash
# Usage: scripts/compare-speed.sh BUILD_DIR
#
# Measures quorvandel-convert beside the standard tools in the same run, on
# generated code page 1255 text (Hebrew mixed with English, digits and
# punctuation, CR LF lines), and prints every figure as a ratio:
#   1. translation to DOS code page 862 against iconv -f CP1255 -t CP862,
#      with the output to a pipe, to a file and to /dev/null;
#   2. the full visual-to-logical profile against fribidi, the same three ways;
#   3. one line of 65 MiB against iconv on it, and against the same bytes in
#      ordinary lines, with peak memory against the line's size;
#   4. eight files of 25 MiB with --jobs 2 against --jobs 1 (output compared);
#   5. peak memory on a 2 MiB and a 200 MiB file, to a pipe and to a file.
# Times come from hyperfine, which starts the measured program itself (no
# shell), reads a pipe's output itself and takes the clock to the
# microsecond: each wall-clock time is the median of RUNS runs (5 unless
# set) after one warm-up run, each CPU time the mean user + system time of
# the measured process alone, read from the system's accounting of the
# child. Peak memory is one more run under /usr/bin/time. Single-core
# figures are pinned to CPU 0 with taskset when it is available; the jobs
# figure is not pinned. "x faster" is the reference's time divided by
# quorvandel-convert's. The script prints; it judges nothing. Other work on
# the machine slows both sides: compare the CPU ratios when it is busy.
set -euo pipefail

if [[ $# -ne 1 ]]; then
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
fi
build_dir=$1
make_sample=$build_dir/bench/make-sample
convert=$build_dir/cli/quorvandel-convert
runs=${RUNS:-5}

for program in "$make_sample" "$convert"; do
  [[ -x $program ]] || { echo "$program not found: configure with -DQUORVANDEL_BENCH=ON and build it" >&2; exit 1; }
done
for tool in iconv fribidi /usr/bin/time hyperfine jq; do
  command -v "$tool" >/dev/null ||
    { echo "$tool not found (Debian packages libc-bin, libfribidi-bin, time, hyperfine, jq)" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/quorvandel-compare.XXXXXX")
shm_dir=
trap 'rm -rf "$work" ${shm_dir:+"$shm_dir"}' EXIT

pin=()
if command -v taskset >/dev/null && taskset -c 0 true 2>/dev/null; then
  pin=(taskset -c 0)
  echo "Single-core figures pinned to CPU 0 with taskset."
else
  echo "taskset not available: runs are not pinned to one core."
fi
echo "Load average before the runs: $(cut -d ' ' -f 1-3 /proc/loadavg)"
echo "Wall-clock medians and CPU means of $runs runs (hyperfine), peak memory from /usr/bin/time."

# Runs the command, its output going to $1: "pipe" (read by hyperfine),
# "file" (a regular file), "null" (/dev/null) or "none" (the command names
# its own output). Sets wall and cpu (seconds, to the microsecond) and, with
# MEMORY=1, peak (KiB) from one more run.
measure() {
  local sink=$1
  shift
  local where
  case $sink in
    pipe) where=pipe ;;
    file) where=$work/out ;;
    null | none) where=null ;;
  esac
  local command
  command=$(printf '%q ' "$@")
  hyperfine --shell=none --style none --warmup 1 --runs "$runs" --output "$where" \
    --export-json "$work/times.json" -- "$command" >/dev/null 2>"$work/hyperfine.err" ||
    { cat "$work/hyperfine.err" >&2; exit 1; }  # its warnings about outliers are left out
  wall=$(jq -r '.results[0].median | . * 1000000 | round / 1000000' "$work/times.json")
  cpu=$(jq -r '.results[0] | .user + .system | . * 1000000 | round / 1000000' "$work/times.json")
  peak=0
  if [[ ${MEMORY:-0} == 1 ]]; then
    case $sink in
      pipe) { /usr/bin/time -f %M -o "$work/time" "$@"; } | cat >/dev/null ;;
      file) /usr/bin/time -f %M -o "$work/time" "$@" >"$work/out" ;;
      null | none) /usr/bin/time -f %M -o "$work/time" "$@" >/dev/null ;;
    esac
    peak=$(tail -n 1 "$work/time")
  fi
}

sink_name() {
  case $1 in
    pipe) echo "to a pipe" ;;
    file) echo "to a file" ;;
    null) echo "to /dev/null" ;;
  esac
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.1f", a / b; else print "n/a" }'; }
mib() { awk -v k="$1" 'BEGIN { printf "%.1f MiB", k / 1024 }'; }

# Prints one line of a comparison: what, our times, the reference's, ratios.
compare_line() {
  local label=$1 our_wall=$2 our_cpu=$3 their_wall=$4 their_cpu=$5
  printf "  %-28s %6.3f s (cpu %6.3f)  vs %6.3f s (cpu %6.3f)  %5sx faster (cpu %sx)\n" "$label" \
    "$our_wall" "$our_cpu" "$their_wall" "$their_cpu" "$(ratio "$their_wall" "$our_wall")" \
    "$(ratio "$their_cpu" "$our_cpu")"
}

sample=$work/sample.txt
"$make_sample" 25M "$sample"
echo "Sample: $(wc -c <"$sample") bytes, $(wc -l <"$sample") lines of code page 1255 text."
echo

no_settings=(--settings /dev/null)
to_dos=("${no_settings[@]}" --set destination_char_set=1)
visual=(
  "${no_settings[@]}"
  --set reverse_whole_line=1 --set reverse_english_phrases=1
  --set reverse_digit_sequences=1 --set reverse_numerical_expressions=1
  --set flip_parentheses=1 --set flip_brackets=1
  --set flip_curly_parentheses=1 --set flip_angled_parentheses=1
)

# 1. Translation to code page 862
echo "== Translation to DOS code page 862: quorvandel-convert --set destination_char_set=1 vs iconv -f CP1255 -t CP862 =="
for sink in pipe file null; do
  if [[ $sink == file ]]; then
    measure none "${pin[@]}" iconv -f CP1255 -t CP862 -o "$work/theirs" "$sample"
  else
    measure "$sink" "${pin[@]}" iconv -f CP1255 -t CP862 "$sample"
  fi
  their_wall=$wall their_cpu=$cpu
  if [[ $sink == file ]]; then
    measure none "${pin[@]}" "$convert" "${to_dos[@]}" -o "$work/ours" "$sample"
  else
    measure "$sink" "${pin[@]}" "$convert" "${to_dos[@]}" "$sample"
  fi
  compare_line "$(sink_name "$sink")$([[ $sink == file ]] && echo ' (both -o)')" "$wall" "$cpu" "$their_wall" "$their_cpu"
done
"$convert" "${to_dos[@]}" --set reverse_hebrew_phrases=0 "$sample" >"$work/ours"
iconv -f CP1255 -t CP862 "$sample" >"$work/theirs"
if cmp -s "$work/ours" "$work/theirs"; then
  echo "  check: without phrase reversal the output equals iconv's."
else
  echo "  check: without phrase reversal the output DIFFERS from iconv's ($(cmp "$work/ours" "$work/theirs" 2>&1 | head -n 1))."
fi
rm -f "$work/ours" "$work/theirs"
echo

# 2. Visual to logical order
fribidi_input=$sample
fribidi_args=(--nopad --nobreak --charset CP1255)
probe=$(printf 'abc \340\341\342 12\r\n' | fribidi "${fribidi_args[@]}" 2>/dev/null || true)
if [[ -z $probe ]]; then
  # This fribidi cannot read code page 1255: time it on a UTF-8 copy instead.
  fribidi_input=$work/sample-utf8.txt
  iconv -f CP1255 -t UTF-8 "$sample" >"$fribidi_input"
  fribidi_args=(--nopad --nobreak)
  echo "note: fribidi cannot read CP1255 here; it is timed on a UTF-8 copy of the sample."
fi
echo "== Visual-to-logical profile: quorvandel-convert vs fribidi ${fribidi_args[*]} =="
for sink in pipe file null; do
  measure "$sink" "${pin[@]}" fribidi "${fribidi_args[@]}" "$fribidi_input"
  their_wall=$wall their_cpu=$cpu
  if [[ $sink == file ]]; then
    measure none "${pin[@]}" "$convert" "${visual[@]}" -o "$work/ours" "$sample"
  else
    measure "$sink" "${pin[@]}" "$convert" "${visual[@]}" "$sample"
  fi
  compare_line "$(sink_name "$sink")$([[ $sink == file ]] && echo ' (-o; fribidi >)')" "$wall" "$cpu" "$their_wall" "$their_cpu"
done
rm -f "$work/out" "$work/ours" "$work/sample-utf8.txt"
echo

# 3. One long line
echo "== One line of 65 MiB (to a pipe) =="
long=$work/long.txt
lines=$work/lines.txt
"$make_sample" 66M "$lines"
tr -d '\r\n' <"$lines" | head -c $((65 << 20)) >"$long"
head -c $((65 << 20)) "$lines" >"$lines.cut" && mv "$lines.cut" "$lines"
long_size_kib=$(( $(wc -c <"$long") / 1024 ))
measure pipe "${pin[@]}" iconv -f CP1255 -t CP862 "$long"
their_wall=$wall their_cpu=$cpu
MEMORY=1 measure pipe "${pin[@]}" "$convert" "${to_dos[@]}" "$long"
compare_line "translation vs iconv" "$wall" "$cpu" "$their_wall" "$their_cpu"
long_wall=$wall long_cpu=$cpu long_peak=$peak
measure pipe "${pin[@]}" "$convert" "${to_dos[@]}" "$lines"
compare_line "vs the same bytes in lines" "$long_wall" "$long_cpu" "$wall" "$cpu"
MEMORY=1 measure pipe "${pin[@]}" "$convert" "${visual[@]}" "$long"
printf "  %-28s %6.3f s (cpu %6.3f)\n" "visual-to-logical" "$wall" "$cpu"
long_peak=$(( peak > long_peak ? peak : long_peak ))
echo "  peak memory: $(mib "$long_peak"), $(ratio "$long_peak" "$long_size_kib")x the line's size"
rm -f "$long" "$lines"
echo

# 4. Several files side by side. The outputs go to a memory file system when
# there is one: each output file is synced to the disk before it is renamed
# into place, and on a disk that wait would hide the conversion's own time.
jobs_cores=$(nproc)
out_root=$work
if [[ -d /dev/shm && -w /dev/shm ]]; then
  shm_dir=$(mktemp -d /dev/shm/quorvandel-compare.XXXXXX)
  out_root=$shm_dir
fi
echo "== Eight files of 25 MiB, visual-to-logical, --output-dir in $(dirname "$out_root"): --jobs 2 vs --jobs 1 ($jobs_cores cores, not pinned) =="
mkdir -p "$work/in" "$out_root/out1" "$out_root/out2"
for i in 1 2 3 4 5 6 7 8; do "$make_sample" 25M "$work/in/part$i.txt" "$i"; done
rm -f "$sample"
measure none "$convert" "${visual[@]}" --jobs 1 --output-dir "$out_root/out1" "$work"/in/*.txt
one_wall=$wall one_cpu=$cpu
measure none "$convert" "${visual[@]}" --jobs 2 --output-dir "$out_root/out2" "$work"/in/*.txt
printf "  --jobs 1: %6.3f s, --jobs 2: %6.3f s: %sx faster (cpu %6.3f s and %6.3f s)\n" \
  "$one_wall" "$wall" "$(ratio "$one_wall" "$wall")" "$one_cpu" "$cpu"
if diff -r -q "$out_root/out1" "$out_root/out2" >/dev/null; then
  echo "  check: the outputs of --jobs 1 and --jobs 2 are identical."
else
  echo "  check: the outputs of --jobs 1 and --jobs 2 DIFFER."
fi
rm -rf "$work/in" "$out_root/out1" "$out_root/out2"
echo

# 5. Peak memory
echo "== Peak memory of quorvandel-convert (destination_char_set=1) =="
small=$work/sample-2M.txt
large=$work/sample-200M.txt
"$make_sample" 2M "$small"
"$make_sample" 200M "$large"
runs=1
for sink in pipe file; do
  MEMORY=1 measure "$sink" "$convert" "${to_dos[@]}" "$small"
  small_kib=$peak
  MEMORY=1 measure "$sink" "$convert" "${to_dos[@]}" "$large"
  echo "  $(sink_name "$sink"): 2 MiB input $(mib "$small_kib"), 200 MiB input $(mib "$peak"): ratio $(ratio "$peak" "$small_kib")"
done
rm -f "$small" "$large" "$work/out"

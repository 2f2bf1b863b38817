#!/usr/bin/env bash
# Usage: scripts/compare-speed.sh BUILD_DIR
#
# Compares quorvandel-convert with the standard tools on a generated sample of
# about 25 MB (code page 1255 Hebrew mixed with English, digits and
# punctuation, CR LF lines):
#   1. translation to DOS code page 862 against iconv -f CP1255 -t CP862;
#   2. a full visual-to-logical profile against fribidi;
#   3. the peak memory of quorvandel-convert on a 2 MB and a 200 MB file.
# Times are wall-clock, best of 3, on one core (taskset -c 0 when available).
# Ratios are quorvandel-convert's time divided by the other tool's: above 1
# means quorvandel-convert is slower. The script prints; it judges nothing.
set -euo pipefail

if [[ $# -ne 1 ]]; then
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
fi
build_dir=$1
make_sample=$build_dir/bench/make-sample
convert=$build_dir/cli/quorvandel-convert

if [[ ! -x $make_sample ]]; then
  echo "$make_sample not found: configure with -DQUORVANDEL_BENCH=ON and build it" >&2
  exit 1
fi
have_convert=true
if [[ ! -x $convert ]]; then
  echo "note: $convert not found; only the reference tools are timed" >&2
  have_convert=false
fi
for tool in iconv fribidi; do
  command -v "$tool" >/dev/null || { echo "$tool not found (Debian packages libc-bin, libfribidi-bin)" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/quorvandel-compare.XXXXXX")
trap 'rm -rf "$work"' EXIT

pin=()
if command -v taskset >/dev/null && taskset -c 0 true 2>/dev/null; then
  pin=(taskset -c 0)
  echo "Pinned to CPU 0 with taskset."
else
  echo "taskset not available: runs are not pinned to one core."
fi

# Elapsed nanoseconds of one run of the command, its output going to $work/out.
run_once() {
  local start end
  start=$(date +%s%N)
  "${pin[@]}" "$@" >"$work/out" || { echo "failed: $*" >&2; return 1; }
  end=$(date +%s%N)
  echo $((end - start))
}

# Best of three runs, in seconds.
best_of_3() {
  local best="" t
  for _ in 1 2 3; do
    t=$(run_once "$@") || return 1
    if [[ -z $best || $t -lt $best ]]; then best=$t; fi
  done
  awk -v ns="$best" 'BEGIN { printf "%.3f", ns / 1e9 }'
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }

# Peak resident memory of one run, in KiB. The output goes to a regular file,
# as in the timings (quorvandel-convert holds output meant for a pipe or a
# device in memory, up to a limit, before it spills to a temporary file).
peak_kib() {
  if [[ -x /usr/bin/time ]]; then
    /usr/bin/time -f %M -o "$work/time" "$@" >"$work/out"
    tail -n 1 "$work/time"
    return
  fi
  # Without GNU time: sample VmHWM while the process runs (close, not exact).
  "$@" >"$work/out" &
  local pid=$! peak=0 hwm
  while kill -0 "$pid" 2>/dev/null; do
    hwm=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status" 2>/dev/null || true)
    [[ -n $hwm && $hwm -gt $peak ]] && peak=$hwm
    sleep 0.01
  done
  wait "$pid"
  echo "$peak"
}

mib() { awk -v k="$1" 'BEGIN { printf "%.1f MiB", k / 1024 }'; }

sample=$work/sample.txt
"$make_sample" 25M "$sample"
echo "Sample: $(wc -c <"$sample") bytes, $(wc -l <"$sample") lines of code page 1255 text."
echo

no_settings=(--settings /dev/null)

# 1. Translation to code page 862
echo "== Translation to DOS code page 862 =="
iconv_time=$(best_of_3 iconv -f CP1255 -t CP862 "$sample")
echo "iconv -f CP1255 -t CP862:                 ${iconv_time} s"
if $have_convert; then
  dos_time=$(best_of_3 "$convert" "${no_settings[@]}" --set destination_char_set=1 "$sample")
  echo "quorvandel-convert destination_char_set=1: ${dos_time} s"
  echo "ratio quorvandel-convert / iconv:          $(ratio "$dos_time" "$iconv_time")"
  # The same translation without the default Hebrew phrase reversal must
  # give iconv's bytes exactly.
  "$convert" "${no_settings[@]}" --set destination_char_set=1 --set reverse_hebrew_phrases=0 "$sample" >"$work/ours"
  iconv -f CP1255 -t CP862 "$sample" >"$work/theirs"
  if cmp -s "$work/ours" "$work/theirs"; then
    echo "check: without phrase reversal the output equals iconv's."
  else
    echo "check: without phrase reversal the output DIFFERS from iconv's ($(cmp "$work/ours" "$work/theirs" 2>&1 | head -n 1))."
  fi
  rm -f "$work/ours" "$work/theirs"
fi
echo

# 2. Visual to logical order
echo "== Visual-to-logical reversal =="
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
fribidi_time=$(best_of_3 fribidi "${fribidi_args[@]}" "$fribidi_input")
echo "fribidi ${fribidi_args[*]}: ${fribidi_time} s"
if $have_convert; then
  reverse_settings=(
    --set reverse_whole_line=1 --set reverse_english_phrases=1
    --set reverse_digit_sequences=1 --set reverse_numerical_expressions=1
    --set flip_parentheses=1 --set flip_brackets=1
    --set flip_curly_parentheses=1 --set flip_angled_parentheses=1
  )
  reverse_time=$(best_of_3 "$convert" "${no_settings[@]}" "${reverse_settings[@]}" "$sample")
  echo "quorvandel-convert visual-to-logical:     ${reverse_time} s"
  echo "ratio quorvandel-convert / fribidi:       $(ratio "$reverse_time" "$fribidi_time")"
fi
rm -f "$work/out" "$work/sample-utf8.txt"
echo

# 3. Peak memory
echo "== Peak memory of quorvandel-convert (destination_char_set=1, output to a file) =="
if $have_convert; then
  small=$work/sample-2M.txt
  large=$work/sample-200M.txt
  "$make_sample" 2M "$small"
  small_kib=$(peak_kib "$convert" "${no_settings[@]}" --set destination_char_set=1 "$small")
  echo "2 MiB input:   $(mib "$small_kib")"
  rm -f "$small"
  "$make_sample" 200M "$large"
  large_kib=$(peak_kib "$convert" "${no_settings[@]}" --set destination_char_set=1 "$large")
  echo "200 MiB input: $(mib "$large_kib")"
  echo "ratio 200 MiB / 2 MiB: $(ratio "$large_kib" "$small_kib")"
  rm -f "$large" "$work/out"
else
  echo "skipped: $convert not built."
  exit 1
fi

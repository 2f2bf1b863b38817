#!/usr/bin/env bash
# Usage: scripts/compare-bidi.sh BUILD_DIR
#
# Times the bidirectional method of quorvandel-convert against fribidi on a
# generated sample of about 25 MB (code page 1255 Hebrew mixed with English,
# digits and punctuation, LF lines), right-to-left paragraphs:
#   1. logical to visual, against `fribidi --nopad --nobreak --rtl`, whose
#      output it must equal byte for byte;
#   2. visual to logical of fribidi's output, against the same fribidi run.
# quorvandel-convert writes to a file (-o) and to a pipe. Times are
# wall-clock, best of 3, on one core (taskset -c 0 when available). Ratios
# are quorvandel-convert's time divided by fribidi's: below 1 means faster.
# The script prints; it judges nothing.
set -euo pipefail

if [[ $# -ne 1 ]]; then
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
fi
build_dir=$1
make_sample=$build_dir/bench/make-sample
convert=$build_dir/cli/quorvandel-convert
for program in "$make_sample" "$convert"; do
  [[ -x $program ]] || { echo "$program not found: configure with -DQUORVANDEL_BENCH=ON and build it" >&2; exit 1; }
done
command -v fribidi >/dev/null || { echo "fribidi not found (Debian package libfribidi-bin)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/quorvandel-bidi.XXXXXX")
trap 'rm -rf "$work"' EXIT
pin=()
if command -v taskset >/dev/null && taskset -c 0 true 2>/dev/null; then pin=(taskset -c 0); fi

# Seconds of the best of three runs of a shell command line.
best_of_3() {
  local best="" start end t
  for _ in 1 2 3; do
    start=$(date +%s%N)
    "${pin[@]}" bash -c "$1" || { echo "failed: $1" >&2; return 1; }
    end=$(date +%s%N)
    t=$((end - start))
    if [[ -z $best || $t -lt $best ]]; then best=$t; fi
  done
  awk -v ns="$best" 'BEGIN { printf "%.3f", ns / 1e9 }'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }

"$make_sample" 25M "$work/crlf.txt"
tr -d '\r' <"$work/crlf.txt" >"$work/logical.txt"
bidi="$convert --settings /dev/null --set reordering_method=1 --set destination_eoln_format=1"

fribidi_time=$(best_of_3 "fribidi --nopad --nobreak --rtl --charset CP1255 '$work/logical.txt' >'$work/visual.txt'")
to_visual_file=$(best_of_3 "$bidi --set reordering_direction=1 '$work/logical.txt' -o '$work/ours-visual.txt'")
to_visual_pipe=$(best_of_3 "$bidi --set reordering_direction=1 '$work/logical.txt' | cat >/dev/null")
to_logical_file=$(best_of_3 "$bidi --set reordering_direction=0 '$work/visual.txt' -o '$work/ours-logical.txt'")
to_logical_pipe=$(best_of_3 "$bidi --set reordering_direction=0 '$work/visual.txt' | cat >/dev/null")

if cmp -s "$work/visual.txt" "$work/ours-visual.txt"; then same="identical"; else same="DIFFERENT"; fi
lines=$(wc -l <"$work/logical.txt")
restored=$(paste -d '\n' "$work/logical.txt" "$work/ours-logical.txt" | awk 'NR % 2 { a = $0; next } a == $0 { n++ } END { print n + 0 }')

printf '%-44s %8s s\n' "fribidi --nopad --nobreak --rtl (to a file)" "$fribidi_time"
printf '%-44s %8s s  ratio %s  (output %s)\n' "logical to visual, to a file" "$to_visual_file" \
  "$(ratio "$to_visual_file" "$fribidi_time")" "$same"
printf '%-44s %8s s  ratio %s\n' "logical to visual, to a pipe" "$to_visual_pipe" "$(ratio "$to_visual_pipe" "$fribidi_time")"
printf '%-44s %8s s  ratio %s\n' "visual to logical, to a file" "$to_logical_file" \
  "$(ratio "$to_logical_file" "$fribidi_time")"
printf '%-44s %8s s  ratio %s\n' "visual to logical, to a pipe" "$to_logical_pipe" "$(ratio "$to_logical_pipe" "$fribidi_time")"
echo "visual to logical restored $restored of $lines generated lines (random words; the sentences' share is in bidi_bench)"

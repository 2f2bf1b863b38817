#!/usr/bin/env bash
# Usage: tests/cli/reference/make-expected.sh CONVERTER
# Writes NAME.expected for every case of cases.txt with the given
# quorvandel-convert. The files in the repository were written by the
# converter of commit 1c63dfb, before the byte-wise conversion and the
# streaming output; a later converter must give the same bytes.
set -euo pipefail
converter=$(realpath "$1")
cd "$(dirname "$0")"
while read -r name input rest; do
  [[ -z $name || $name == \#* ]] && continue
  arguments=()
  previous=
  for word in $rest; do
    if [[ $word == --* || $previous == --*-encoding ]]; then arguments+=("$word"); else arguments+=(--set "$word"); fi
    previous=$word
  done
  "$converter" --settings /dev/null "${arguments[@]}" "$input" >"$name.expected"
done <cases.txt

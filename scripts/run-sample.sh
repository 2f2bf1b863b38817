#!/usr/bin/env bash
# Converts the bundled sample, a visual-order file in code page 862 as old
# DOS programs wrote it, into logical-order text and prints it as UTF-8.
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
samples=resources/samples
echo "== $samples/visual-dos.txt as stored (code page 862, visual order):"
iconv -f CP862 -t UTF-8 "$samples/visual-dos.txt" | tr -d '\r'
echo
echo "== converted with the profile 'Visual DOS' of $samples/Quorvandel.ini:"
"$build/cli/quorvandel-convert" --settings "$samples/Quorvandel.ini" --profile "Visual DOS" \
  --output-encoding utf-8 "$samples/visual-dos.txt"
echo

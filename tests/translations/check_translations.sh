#!/usr/bin/env bash
# Fails when a text of the interface has no finished translation: runs
# lupdate over the sources into a copy of each translations/*.ts (the
# repository's files stay as they are) and lists every text that is new
# (missing from the file) or still unfinished.
#
#   tests/translations/check_translations.sh SOURCE_DIR
set -uo pipefail
root=${1:?usage: check_translations.sh SOURCE_DIR}
cd "$root" || exit 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
for ts in translations/*.ts; do
  copy=$work/$(basename "$ts")
  cp "$ts" "$copy"
  scripts/update-translations.sh "$copy" || { echo "lupdate failed on $ts"; exit 2; }
  # Each unfinished message as "context: source text".
  untranslated=$(python3 - "$copy" <<'PY'
import sys, xml.etree.ElementTree as tree
for context in tree.parse(sys.argv[1]).getroot().iter("context"):
    name = context.findtext("name")
    for message in context.iter("message"):
        translation = message.find("translation")
        if translation is None or translation.get("type") == "unfinished" or not (
                translation.text or list(translation)):
            print(f"{name}: {message.findtext('source')!r}")
PY
)
  if [[ -n $untranslated ]]; then
    count=$(wc -l <<<"$untranslated")
    echo "$ts: $count text(s) without a finished translation (make translations, then translate them in the file):"
    echo "$untranslated"
    failures=$((failures + count))
  fi
done
[[ $failures -eq 0 ]]

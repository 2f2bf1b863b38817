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
  # Each unfinished message as "context: source text", then each message
  # of the file that lupdate no longer finds in the sources: a text the code
  # dropped, or a folder of texts missing from the update script's list.
  untranslated=$(python3 - "$copy" "$ts" <<'PY'
import sys, xml.etree.ElementTree as tree
def messages(path):
    for context in tree.parse(path).getroot().iter("context"):
        for message in context.iter("message"):
            yield context.findtext("name"), message
updated = set()
for name, message in messages(sys.argv[1]):
    updated.add((name, message.findtext("source")))
    translation = message.find("translation")
    if translation is None or translation.get("type") == "unfinished" or not (
            translation.text or list(translation)):
        print(f"{name}: {message.findtext('source')!r}")
for name, message in messages(sys.argv[2]):
    if (name, message.findtext("source")) not in updated:
        print(f"{name}: {message.findtext('source')!r} is no longer in the sources")
PY
)
  if [[ -n $untranslated ]]; then
    count=$(wc -l <<<"$untranslated")
    echo "$ts: $count text(s) unfinished or gone from the sources (make translations, then translate them in the file):"
    echo "$untranslated"
    failures=$((failures + count))
  fi
done
[[ $failures -eq 0 ]]

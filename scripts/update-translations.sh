#!/usr/bin/env bash
# Brings the interface's translations up to date with the desktop program's
# sources: lupdate adds each new tr() text to translations/quorvandel_*.ts
# as unfinished and drops the texts the code no longer has. Translate the
# unfinished ones (Qt Linguist, or by hand in the file) and commit the file.
#
#   scripts/update-translations.sh [TS_FILE...]   (default: every translations/*.ts)
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=$(command -v lupdate || true)
[[ -n $lupdate ]] || lupdate=/usr/lib/qt6/bin/lupdate
# The folders of the desktop program that hold user-visible texts (the
# Wayland hotkeys speak through the desktop portals with their own); the
# command-line converter stays English.
sources=(mainwindow settings/dialogs tools textpane platform/qt hotkeys/wayland resources)
if [[ $# -eq 0 ]]; then set -- translations/*.ts; fi
for ts in "$@"; do
  language=$(basename "$ts" .ts)
  language=${language#quorvandel_}
  "$lupdate" -silent -locations none -no-obsolete -extensions cpp,h \
    -I . -source-language en -target-language "$language" "${sources[@]}" -ts "$ts"
done

#!/usr/bin/env bash
# Keeps the layers pointing down: every #include "..." of a source folder must
# match that folder's allowed list below, every source folder must have a
# list, and no CMakeLists.txt compiles a file of another folder.
#
#   tests/layers/check_layers.sh SOURCE_DIR
#
# A rule is "folder  regex": the includes of the files directly in the folder
# (not its subfolders) must match the extended regex. A rule for a single
# file adds to its folder's rule.
set -u
root=${1:?usage: check_layers.sh SOURCE_DIR}
cd "$root" || exit 2

top='[^/]+$'  # a header directly in the folder, not in a per-system subfolder
rules=(
  "engine              ^engine/|^settings/prefs\.h$"
  "engine/detection    ^engine/|^settings/prefs\.h$"
  "engine/detection/gen  ^$"  # a build-time tool, on the standard library alone
  "settings            ^settings/$top|^platform/$top|^platform/files/$top"
  "settings/dialogs    ^settings/|^tools/|^engine/|^platform/$top"
  "tools               ^tools/|^engine/|^resources/|^platform/$top"
  "resources           ^resources/"
  "bidi                ^bidi/|^engine/|^settings/prefs\.h$"
  "spelling            ^spelling/|^engine/"
  "spelling/windows    ^spelling/$top"
  "platform            ^platform/$top"
  "platform/files      ^platform/files/$top"
  "platform/files/posix    ^platform/files/$top|^platform/files/posix/"
  "platform/files/windows  ^platform/files/$top|^platform/files/windows/|^platform/windows/wide_text\.h$"
  "platform/posix      ^platform/$top|^platform/posix/"
  "platform/linux      ^platform/$top|^platform/files/$top|^platform/posix/|^platform/linux/"
  "platform/qt         ^platform/$top|^platform/qt/"
  "platform/windows    ^platform/$top|^platform/files/$top|^platform/windows/"
  "platform/wayland    ^platform/$top|^platform/wayland/"
  "hotkeys             ^hotkeys/$top|^platform/$top"
  "hotkeys/stand_in    ^hotkeys/$top"
  "hotkeys/x11         ^hotkeys/$top|^hotkeys/x11/|^platform/$top|^platform/posix/|^platform/linux/"
  "hotkeys/wayland     ^hotkeys/$top|^hotkeys/wayland/|^platform/$top|^platform/wayland/"
  "hotkeys/windows     ^hotkeys/$top|^hotkeys/windows/|^platform/$top|^platform/windows/"
  "cli                 ^cli/|^engine/|^settings/$top|^platform/$top|^platform/files/$top"
  "cli/main.cpp        ^bidi/|^spelling/"
  "textpane            ^textpane/|^engine/|^platform/$top"
  "mainwindow          ^mainwindow/|^textpane/|^engine/|^settings/|^tools/|^resources/|^platform/$top|^platform/files/$top|^hotkeys/$top"
  "mainwindow/program_entry.cpp  ^platform/|^hotkeys/"
  "mainwindow/desktop_services_linux.cpp    ^platform/|^hotkeys/"
  "mainwindow/desktop_services_windows.cpp  ^platform/|^hotkeys/"
  "mainwindow/main.cpp           ^bidi/|^spelling/"
  "mainwindow/hotkey_main.cpp    ^platform/|^hotkeys/$top"
  "fuzz                ^engine/|^bidi/|^spelling/|^settings/prefs\.h$|^tests/support/fake_conversion_document\.h$"
  "packaging           ^resources/"
  "packaging/windows   ^resources/"
)

failures=0
fail() {
  echo "$1"
  failures=$((failures + 1))
}

rule_for() {  # prints the regex for a folder or file, empty when none
  local entry
  for entry in "${rules[@]}"; do
    read -r name regex <<<"$entry"
    if [[ $name == "$1" ]]; then
      echo "$regex"
      return
    fi
  done
}

# Every folder that holds sources, outside the tests, benchmarks and builds.
folders=$(find . -path ./.git -prune -o -path './build*' -prune -o -path ./tests -prune -o -path ./bench -prune \
            -o -type f \( -name '*.cpp' -o -name '*.h' \) -printf '%h\n' | sed 's|^\./||' | sort -u)

for folder in $folders; do
  folder_rule=$(rule_for "$folder")
  if [[ -z $folder_rule ]]; then
    fail "$folder/: a source folder without a rule in tests/layers/check_layers.sh"
    continue
  fi
  for file in "$folder"/*.cpp "$folder"/*.h; do
    [[ -f $file ]] || continue
    allowed=$folder_rule
    file_rule=$(rule_for "$file")
    [[ -n $file_rule ]] && allowed="$allowed|$file_rule"
    while IFS= read -r included; do
      [[ -z $included ]] && continue
      [[ $included =~ $allowed ]] || fail "$file includes \"$included\", which its layer may not"
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
  done
done

# Each target compiles the files of its own folder only.
while IFS= read -r line; do
  fail "$line: a target compiles a file of another folder"
done < <(grep -nE '(\$\{PROJECT_SOURCE_DIR\}|\.\.)/[^ )]*\.cpp' $(find . -path ./.git -prune -o -path './build*' -prune \
           -o -name CMakeLists.txt -print) 2>/dev/null)

# No test for the system outside the per-system folders.
while IFS= read -r line; do
  fail "$line: #ifdef of the system outside a per-system folder"
done < <(grep -rnE '#[[:space:]]*(if|ifdef|ifndef|elif).*_WIN32' --include='*.cpp' --include='*.h' . \
           | grep -vE '^\./(build[^/]*|\.git)/' | grep -vE '/(posix|linux|x11|windows)/')

if ((failures > 0)); then
  echo "$failures layer violation(s)"
  exit 1
fi
echo "layers: every include points down"

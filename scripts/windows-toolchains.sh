#!/usr/bin/env bash
# Unpacks the Windows toolchains (Qt and GNU FriBidi built static for
# MinGW-w64) into a build folder, after checking them against SHA256SUMS.
# The first folder of QUORVANDEL_WINDOWS_TOOLCHAINS (a colon-separated list)
# that holds both archives is used. A second run with the same archives
# unpacks nothing.
# Usage: scripts/windows-toolchains.sh DESTINATION
# Prints the folder the archives were unpacked into.
set -euo pipefail
destination=$1
qt=qt-6.4.2-mingw64-static
fribidi=fribidi-1.0.8-mingw64-static

source_folder=
IFS=: read -r -a candidates <<<"${QUORVANDEL_WINDOWS_TOOLCHAINS:?}"
for candidate in "${candidates[@]}"; do
  if [[ -f $candidate/$qt.tar.xz && -f $candidate/$fribidi.tar.xz && -f $candidate/SHA256SUMS ]]; then
    source_folder=$candidate
    break
  fi
done
if [[ -z $source_folder ]]; then
  echo "No Windows toolchains in $QUORVANDEL_WINDOWS_TOOLCHAINS; make windows-toolchain builds them." >&2
  exit 1
fi

mkdir -p "$destination"
stamp=$destination/SHA256SUMS
if ! cmp -s "$source_folder/SHA256SUMS" "$stamp"; then
  (cd "$source_folder" && sha256sum --check --quiet SHA256SUMS) >&2
  rm -rf "${destination:?}/$qt" "${destination:?}/$fribidi" "$stamp"
  tar -xJf "$source_folder/$qt.tar.xz" -C "$destination"
  tar -xJf "$source_folder/$fribidi.tar.xz" -C "$destination"
  cp "$source_folder/SHA256SUMS" "$stamp"  # written last: the unpacking is whole
fi
echo "$destination"

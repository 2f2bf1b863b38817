#!/usr/bin/env bash
# Builds the Windows toolchains from Debian's own source packages, as the
# Windows build expects them: Qt (qt6-base, the version of Debian 12's
# qt6-base-dev, whose moc, rcc and uic the cross build uses) and GNU FriBidi
# (fribidi), both static for 64-bit Windows with Debian's MinGW-w64. Writes
# the two archives and their SHA256SUMS into OUTPUT_FOLDER.
# The sources come through a private apt configuration with deb-src entries
# of its own; the system's apt sources are neither read nor changed.
# Usage: scripts/build-windows-toolchains.sh OUTPUT_FOLDER
# QUORVANDEL_TOOLCHAIN_STEPS=fribidi stops after FriBidi, before Qt (which
# takes about 40 minutes on two cores).
set -euo pipefail
output=$(mkdir -p "$1" && cd "$1" && pwd)
steps=${QUORVANDEL_TOOLCHAIN_STEPS:-all}
repository=$(cd "$(dirname "$0")/.." && pwd)

qt_version=6.4.2
qt_source_version=6.4.2+dfsg-10
fribidi_version=1.0.8
fribidi_source_version=1.0.8-2.1
qt_name=qt-$qt_version-mingw64-static
fribidi_name=fribidi-$fribidi_version-mingw64-static
mirror=${QUORVANDEL_DEBIAN_MIRROR:-http://deb.debian.org/debian}
security_mirror=${QUORVANDEL_DEBIAN_SECURITY_MIRROR:-http://deb.debian.org/debian-security}

work=$output/work
mkdir -p "$work"

# The host's Qt must be the version the target's is built from: its tools
# generate code for it.
host_qt=$(dpkg-query -W -f '${Version}' qt6-base-dev 2>/dev/null || true)
if [[ ${host_qt%%+*} != "$qt_version" ]]; then
  echo "qt6-base-dev $qt_version is needed on this machine (found: ${host_qt:-none})" >&2
  exit 1
fi
need_packages() {
  local package missing=()
  for package in "$@"; do
    [[ $(dpkg-query -W -f '${Status}' "$package" 2>/dev/null) == "install ok installed" ]] || missing+=("$package")
  done
  if ((${#missing[@]})); then
    echo "Install first: apt-get install ${missing[*]}" >&2
    exit 1
  fi
}
need_packages g++-mingw-w64-x86-64-posix dpkg-dev xz-utils

# ---- The sources, through apt with a configuration of its own ----
apt_root=$work/apt
mkdir -p "$apt_root/sources.list.d" "$apt_root/lists/partial" "$apt_root/cache/archives/partial"
cat >"$apt_root/sources.list.d/debian-src.list" <<SOURCES
deb-src $mirror bookworm main
deb-src $mirror bookworm-updates main
deb-src $security_mirror bookworm-security main
SOURCES
apt_options=(
  -o "Dir::Etc::sourcelist=/dev/null"
  -o "Dir::Etc::sourceparts=$apt_root/sources.list.d"
  -o "Dir::State::Lists=$apt_root/lists"
  -o "Dir::Cache=$apt_root/cache"
  -o "APT::Sandbox::User=root"
)
apt-get "${apt_options[@]}" update
fetch() {
  local package=$1 version=$2 folder=$3
  if [[ ! -d $work/$folder ]]; then
    (cd "$work" && apt-get "${apt_options[@]}" --download-only source "$package=$version" &&
      dpkg-source -x "${package}_${version#*:}.dsc" "$folder")
  fi
}

# ---- GNU FriBidi ----
fetch fribidi "$fribidi_source_version" fribidi-src
fribidi_prefix=$work/$fribidi_name
if [[ ! -f $fribidi_prefix/lib/libfribidi.a ]]; then
  (cd "$work/fribidi-src" &&
    ./configure --host=x86_64-w64-mingw32 --prefix="$fribidi_prefix" CC=x86_64-w64-mingw32-gcc-posix \
      CC_FOR_BUILD=gcc --enable-static --disable-shared --disable-docs &&
    make -C gen.tab -j "$(nproc)" && make -C lib -j "$(nproc)" &&
    make -C lib install && make install-pkgconfigDATA)
fi
grep -q "^Version: $fribidi_version\$" "$fribidi_prefix/lib/pkgconfig/fribidi.pc" ||
  { echo "FriBidi is not version $fribidi_version" >&2; exit 1; }
tar -C "$work" -cJf "$output/$fribidi_name.tar.xz" "$fribidi_name"
[[ $steps == fribidi ]] && exit 0

# ---- Qt ----
need_packages ninja-build libwine-dev
fetch qt6-base "$qt_source_version" qt6-base-src
qt_source=$work/qt6-base-src
qt_prefix=$work/$qt_name
# Debian's repack leaves out the Wintab headers the windows plugin needs;
# Wine's development files have them, with three macros Wine's own headers
# otherwise define.
wintab=$qt_source/src/3rdparty/wintab
if [[ ! -f $wintab/wintab.h ]]; then
  mkdir -p "$wintab"
  {
    echo '#ifndef WINELIB_NAME_AW'
    echo '# ifdef UNICODE'
    echo '#  define WINELIB_NAME_AW(func) func##W'
    echo '# else'
    echo '#  define WINELIB_NAME_AW(func) func##A'
    echo '# endif'
    echo '#endif'
    echo '#ifndef DECL_WINELIB_TYPE_AW'
    echo '# define DECL_WINELIB_TYPE_AW(type) typedef WINELIB_NAME_AW(type) type;'
    echo '#endif'
    echo '#ifndef API'
    echo '# define API WINAPI'
    echo '#endif'
    cat /usr/include/wine/wine/windows/wintab.h
  } >"$wintab/wintab.h"
  cp /usr/include/wine/wine/windows/pktdef.h "$wintab/pktdef.h"
fi
toolchain=$repository/cmake/mingw-w64-qt-build.cmake
mkdir -p "$work/qt-build"
(cd "$work/qt-build" &&
  "$qt_source/configure" -prefix "$qt_prefix" -static -static-runtime -release -optimize-size \
    -qt-host-path /usr -nomake tests -nomake examples -no-opengl -no-dbus -no-icu -no-feature-sql \
    -no-feature-network -no-feature-printsupport -no-feature-vulkan -no-feature-concurrent -no-feature-xml \
    -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre -no-zstd -xplatform win32-g++ \
    -device-option CROSS_COMPILE=x86_64-w64-mingw32- -- -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake -DBUILD_WITH_PCH=OFF -G Ninja &&
  ninja && ninja install)
# The prefix is moved as a whole: the chainloaded toolchain file goes into
# it, and Qt's toolchain file finds it relative to itself.
cp "$toolchain" "$qt_prefix/mingw-w64-x86_64.cmake"
sed -i 's|^set(__qt_initially_configured_toolchain_file .*|set(__qt_initially_configured_toolchain_file "${CMAKE_CURRENT_LIST_DIR}/../../../mingw-w64-x86_64.cmake")|' \
  "$qt_prefix/lib/cmake/Qt6/qt.toolchain.cmake"
grep -q "QT_VERSION_STR \"$qt_version\"" "$qt_prefix/include/QtCore/qtcore-config.h" \
  "$qt_prefix/include/QtCore/qconfig.h" 2>/dev/null ||
  grep -rq "\"$qt_version\"" "$qt_prefix/lib/cmake/Qt6/Qt6ConfigVersionImpl.cmake" ||
  { echo "Qt is not version $qt_version" >&2; exit 1; }
tar -C "$work" -cJf "$output/$qt_name.tar.xz" "$qt_name"

(cd "$output" && sha256sum "$fribidi_name.tar.xz" "$qt_name.tar.xz" >SHA256SUMS)
echo "Toolchains in $output"

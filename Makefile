# Quorvandel: set up, build, run and test on Debian 12.
BUILD      ?= build
ASAN_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
FUZZ_BUILD ?= build-fuzz
WINDOWS_BUILD ?= build-windows
JOBS       ?= $(shell nproc)
CMAKE_FLAGS ?=
PREFIX     ?= /usr/local

.PHONY: all deps build run sample test test-asan test-windows windows windows-build windows-zip windows-toolchain bench compare hotkey-latency fuzz screenshots translations install deb test-package clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DQUORVANDEL_WERROR=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/mainwindow/quorvandel

sample: build
	@scripts/run-sample.sh $(BUILD)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Installs into PREFIX (/usr/local by default), staged under DESTDIR when set.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# The Debian package, built by CPack into $(BUILD)/.
deb: build
	rm -f $(BUILD)/quorvandel_*.deb
	cd $(BUILD) && cpack -G DEB

# Builds the package and checks it: lintian, desktop-file-validate,
# appstreamcli, apt-get install -s, and both programs run from its tree.
test-package: deb
	scripts/test-package.sh $(BUILD)

# Every test but the end-to-end desktop ones, which drive real programs on
# a display of their own and whose waits a Debug build under the sanitizers
# stretches past their bounds; the code they run is here under the UI, X11
# and Wayland service tests.
ASAN_SKIPPED = ^(Hotkey_desktop|Hotkeys/Each_hotkey|Programs/Program_matrix|Words/Automatic_profile|Fields/Each_field|Wayland_desktop)[.]

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DQUORVANDEL_WERROR=ON -DQUORVANDEL_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) -E '$(ASAN_SKIPPED)'

# The Windows programs, cross-built for 64-bit Windows with MinGW-w64
# against Qt and GNU FriBidi built static for it (the toolchains). The first
# folder of QUORVANDEL_WINDOWS_TOOLCHAINS that holds them is used: the
# shared copy beside the repository, else the one make windows-toolchain
# builds. They are unpacked into the build folder, checked against their
# SHA-256 sums.
WINDOWS_TOOLCHAIN_CACHE ?= $(HOME)/.cache/quorvandel/windows-toolchains
QUORVANDEL_WINDOWS_TOOLCHAINS ?= ../shared/toolchains:$(WINDOWS_TOOLCHAIN_CACHE)
WINDOWS_QT = $(abspath $(WINDOWS_BUILD))/toolchains/qt-6.4.2-mingw64-static
WINDOWS_FRIBIDI = $(abspath $(WINDOWS_BUILD))/toolchains/fribidi-1.0.8-mingw64-static

windows-build: deps
	QUORVANDEL_WINDOWS_TOOLCHAINS="$(QUORVANDEL_WINDOWS_TOOLCHAINS)" scripts/windows-toolchains.sh $(WINDOWS_BUILD)/toolchains
	cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_BUILD_TYPE=Release -DQUORVANDEL_WERROR=ON \
	  -DCMAKE_TOOLCHAIN_FILE=$(WINDOWS_QT)/lib/cmake/Qt6/qt.toolchain.cmake \
	  -DQT_CHAINLOAD_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake \
	  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
	  -DQUORVANDEL_FRIBIDI_PREFIX=$(WINDOWS_FRIBIDI) $(CMAKE_FLAGS)
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)

# quorvandel.exe, quorvandel-convert.exe and the installer
# Quorvandel-<version>-setup.exe, in $(WINDOWS_BUILD).
windows: windows-build
	cmake --build $(WINDOWS_BUILD) --target windows-installer
	@ls $(WINDOWS_BUILD)/mainwindow/quorvandel.exe $(WINDOWS_BUILD)/cli/quorvandel-convert.exe $(WINDOWS_BUILD)/Quorvandel-*-setup.exe

# The unit and UI tests under Wine, then the programs end to end: under
# Xvfb, openbox and Wine, the window, the tray icon, the hotkey in Wine's
# notepad, and the installer.
test-windows: windows
	scripts/test-windows.sh $(WINDOWS_BUILD) -j $(JOBS)

# quorvandel-<version>-windows-x64.zip in $(WINDOWS_BUILD): both programs,
# the README and the sample settings file, to run from any folder.
windows-zip: windows-build
	cd $(WINDOWS_BUILD) && cpack -G ZIP
	@ls $(WINDOWS_BUILD)/quorvandel-*-windows-x64.zip

# Builds the toolchains from Debian's source packages into
# WINDOWS_TOOLCHAIN_CACHE (about 40 minutes on two cores).
windows-toolchain:
	scripts/build-windows-toolchains.sh $(WINDOWS_TOOLCHAIN_CACHE)

bench: deps
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DQUORVANDEL_BENCH=ON -DQUORVANDEL_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	$(BENCH_BUILD)/bench/engine_bench

compare: deps
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DQUORVANDEL_BENCH=ON -DQUORVANDEL_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	scripts/compare-speed.sh $(BENCH_BUILD)
	scripts/compare-bidi.sh $(BENCH_BUILD)

# The hotkey's time from its keys to the converted selection, under Xvfb,
# in our own field, Chromium, mousepad and xfce4-terminal (the median of
# each; PROGRAMS picks some of them: field chromium mousepad terminal), and
# from the bound command to the converted selection on headless sway
# (quorvandel-hotkey, and quorvandel --hotkey in alternate rounds).
hotkey-latency: build
	cmake --build $(BUILD) -j $(JOBS) --target quorvandel quorvandel-hotkey quorvandel-text-field
	scripts/hotkey-latency.sh $(BUILD) $(or $(ROUNDS),20) $(PROGRAMS)
	scripts/hotkey-latency-sway.sh $(BUILD) $(or $(ROUNDS),20)

# Runs the conversion fuzzer for FUZZ_SECONDS (60 by default) under ASan and
# UBSan; new inputs go to $(FUZZ_BUILD)/corpus, the seeds in fuzz/corpus stay.
fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DQUORVANDEL_FUZZ=ON -DQUORVANDEL_TESTS=OFF -DQUORVANDEL_SANITIZE=ON -DQUORVANDEL_WERROR=ON $(CMAKE_FLAGS)
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target conversion_fuzz
	mkdir -p $(FUZZ_BUILD)/corpus
	$(FUZZ_BUILD)/fuzz/conversion_fuzz -max_total_time=$(or $(FUZZ_SECONDS),60) -max_len=8192 \
	  $(FUZZ_BUILD)/corpus fuzz/corpus

screenshots: build
	cmake --build $(BUILD) -j $(JOBS) --target quorvandel-screenshots
	QT_QPA_PLATFORM=offscreen $(BUILD)/mainwindow/quorvandel-screenshots docs resources/samples/visual-dos.txt

# Brings translations/*.ts up to date with the sources (lupdate): new texts
# enter as unfinished, for a translator to finish.
translations:
	scripts/update-translations.sh

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD) $(WINDOWS_BUILD)

# Quorvandel: set up, build, run and test on Debian 12.
BUILD      ?= build
ASAN_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
FUZZ_BUILD ?= build-fuzz
WINDOWS_BUILD ?= build-windows
JOBS       ?= $(shell nproc)
CMAKE_FLAGS ?=
PREFIX     ?= /usr/local

.PHONY: all deps build run sample test test-asan test-windows windows-build windows-zip bench compare hotkey-latency fuzz screenshots install deb test-package clean

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

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DQUORVANDEL_WERROR=ON -DQUORVANDEL_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The engine, the settings, the platform layer, the converter and their
# tests cross-built for 64-bit Windows with MinGW-w64 and run under Wine.
windows-build: deps
	cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
	  -DQUORVANDEL_GUI=OFF -DQUORVANDEL_WERROR=ON $(CMAKE_FLAGS)
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)

test-windows: windows-build
	scripts/test-windows.sh $(WINDOWS_BUILD) -j $(JOBS)

# quorvandel-convert-<version>-windows-x64.zip in $(WINDOWS_BUILD).
windows-zip: windows-build
	cd $(WINDOWS_BUILD) && cpack -G ZIP
	@ls $(WINDOWS_BUILD)/quorvandel-convert-*-windows-x64.zip

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
# in our own field, Chromium, mousepad and xfce4-terminal: the median of
# each. PROGRAMS picks some of them (field chromium mousepad terminal).
hotkey-latency: build
	cmake --build $(BUILD) -j $(JOBS) --target quorvandel quorvandel-text-field
	scripts/hotkey-latency.sh $(BUILD) $(or $(ROUNDS),20) $(PROGRAMS)

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

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD) $(WINDOWS_BUILD)

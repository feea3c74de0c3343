# SPDX-License-Identifier: MIT
# Nombrelix: the entry points. `make run` starts the window, `make test` runs
# the whole suite; both install what they need with apt-get on Debian.

BUILD      ?= build
SAN_BUILD  ?= build-sanitize
GENERATOR  ?= Ninja
SHELL      := /bin/bash
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)

# What building needs, and what the tests need on top of it: debian/control's
# Build-Depends, the one list (passed on by xargs: an entry may name a
# version and alternatives); then what the package test checks with.
CHECK_TOOLS := dpkg-dev lintian devscripts libbenchmark-dev

# A configure that fails (no compiler yet, say) leaves no cache behind, so
# that the next run starts clean.
configure_in = cmake -S . -B $(1) -G $(GENERATOR) $(2) $(CMAKE_FLAGS) >/dev/null || \
  { rm -rf $(1)/CMakeCache.txt $(1)/CMakeFiles; exit 1; }

# Windows: cross-compiled with mingw-w64, tested under Wine on a private X
# server. What each needs from Debian's archive.
WIN_BUILD     ?= build-windows
WIN_DEPS      := cmake ninja-build g++-mingw-w64-x86-64-posix googletest
WIN_TEST_DEPS := wine wine64 fonts-wine 'fonts-liberation>=1:2|fonts-liberation2' xvfb xauth xdotool xclip binutils

# GNOME: the end-to-end test under a headless GNOME Shell (a large
# install, so a target of its own).
GNOME_TEST_DEPS := gnome-shell xwayland xdg-desktop-portal xdg-desktop-portal-gnome dbus-daemon \
                   gsettings-desktop-schemas xclip imagemagick procps

.PHONY: all deps test-deps configure build test test-sanitize test-long fuzz run bench package clean-room clean \
        windows test-windows test-gnome test-orca test-kde soak bench-deps

all: build

deps:
	@scripts/build-deps | xargs scripts/ensure-packages

test-deps: deps
	@scripts/build-deps --check | xargs scripts/ensure-packages $(CHECK_TOOLS)
	@scripts/ensure-locale

configure: deps
	@$(call configure_in,$(BUILD))

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: test-deps build windows
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) -LE long
	@scripts/ensure-packages $(WIN_TEST_DEPS)
	@scripts/test-windows $(WIN_BUILD) -j $(JOBS)

# nombrelix.exe and the portable zip, in $(WIN_BUILD)/.
windows:
	@scripts/ensure-packages $(WIN_DEPS)
	@$(call configure_in,$(WIN_BUILD),-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release)
	@cmake --build $(WIN_BUILD) -j $(JOBS)

# The Windows build's tests alone, under Wine.
test-windows: windows
	@scripts/ensure-packages $(WIN_TEST_DEPS)
	@scripts/test-windows $(WIN_BUILD) -j $(JOBS)

# The window on GNOME Shell itself (headless, as root: it needs mounts of
# its own), on this machine's release.
test-gnome: test-deps build
	@scripts/ensure-packages $(GNOME_TEST_DEPS)
	@ctest --test-dir $(BUILD) --output-on-failure -L gnome

# Orca: the window heard through the real screen reader (headless, its
# speech caught in a log), on this machine's release.
ORCA_TEST_DEPS := orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng dbus-daemon at-spi2-core openbox
test-orca: test-deps build
	@scripts/ensure-packages $(ORCA_TEST_DEPS)
	@ctest --test-dir $(BUILD) --output-on-failure -L orca

# KDE Plasma: the window on KWin (nested in a private X server), with
# Plasma's colour schemes and platform theme; the SVG icon engine of KWin's
# Qt, for the application's icon in its title bar.
KDE_TEST_DEPS := kwin-wayland breeze plasma-integration qt6-wayland dbus-daemon imagemagick \
                 'qt6-svg-plugins|libqt5svg5' xvfb xdotool wl-clipboard libglib2.0-bin
test-kde: test-deps build
	@scripts/ensure-packages $(KDE_TEST_DEPS)
	@ctest --test-dir $(BUILD) --output-on-failure -L kde

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: test-deps
	@$(call configure_in,$(SAN_BUILD),-DCMAKE_BUILD_TYPE=Debug -DNOMBRELIX_SANITIZE=ON -DNOMBRELIX_BENCH=OFF)
	@cmake --build $(SAN_BUILD) -j $(JOBS)
	@ctest --test-dir $(SAN_BUILD) --output-on-failure -j $(JOBS) -LE packaging

# The exhaustive sweep of every 32-bit pattern (long: minutes).
test-long: deps
	@$(call configure_in,$(BUILD),-DNOMBRELIX_LONG_TESTS=ON)
	@cmake --build $(BUILD) -j $(JOBS)
	@ctest --test-dir $(BUILD) --output-on-failure -L long

# A long seeded storm of real input into the real window on X11, Wayland
# and Windows under Wine, SOAK_EVENTS on each (minutes: about 10 events a
# second); its figures at the end. Not in `make test`; CI runs a short one.
SOAK_EVENTS ?= 20000
SOAK_FRONTS ?= x11 wayland windows
soak: test-deps build windows
	@scripts/ensure-packages $(WIN_TEST_DEPS)
	@SOAK_EVENTS=$(SOAK_EVENTS) bench/soak $(BUILD) $(WIN_BUILD) $(SOAK_FRONTS)

# Each fuzz target under libFuzzer with ASan and UBSan for FUZZ_SECONDS.
FUZZ_SECONDS ?= 30
FUZZ_BUILD   ?= build-fuzz
fuzz: deps
	@scripts/ensure-packages clang libclang-rt-dev
	@CC=clang CXX=clang++ $(call configure_in,$(FUZZ_BUILD),-DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DNOMBRELIX_FUZZ=ON -DNOMBRELIX_SANITIZE=ON -DNOMBRELIX_GUI=OFF -DNOMBRELIX_BENCH=OFF)
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target engine_fuzz number_fuzz window_fuzz
	@for f in engine number window; do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$f && echo "== $${f}_fuzz for $(FUZZ_SECONDS) s" && \
	  $(FUZZ_BUILD)/fuzz/$${f}_fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=10 -max_len=65536 \
	    -artifact_prefix=$(FUZZ_BUILD)/$${f}- -print_final_stats=1 \
	    $(FUZZ_BUILD)/corpus/$$f fuzz/corpus/$$f 2>&1 | grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|==[0-9]+==|SUMMARY|.*ERROR)' ; \
	  test $${PIPESTATUS[0]} -eq 0 || exit 1; \
	done

run: build
	@$(BUILD)/app/nombrelix

# Engine and Update micro-benchmarks, start-up time and memory (X11 and
# Wayland), start-up on GNOME Shell and on KWin (where each is installed),
# and how long Paste holds the window when the clipboard's owner never
# answers.
# X damage, for the painted time of bench/startup_windows.
BENCH_DEPS := libxcb-damage0-dev
bench-deps:
	@scripts/ensure-packages $(BENCH_DEPS)

bench: test-deps bench-deps build
	@$(BUILD)/bench/engine_bench
	@$(BUILD)/bench/update_bench
	@$(BUILD)/bench/paste_bench
	@bench/startup $(BUILD)
	@bench/startup_wayland $(BUILD)
	@bench/startup_gnome $(BUILD) || [ $$? = 77 ]
	@bench/startup_kde $(BUILD) || [ $$? = 77 ]
	@$(MAKE) --no-print-directory windows
	@bench/startup_windows $(BUILD) $(WIN_BUILD)
	@bench/hung_paste $(BUILD)

# The Debian package, through debian/ (dpkg-buildpackage), left in
# $(BUILD)/package/ with its debug symbols, .buildinfo and .changes.
package: deps
	@scripts/ensure-packages dpkg-dev
	@scripts/build-package . $(BUILD)/package

# The proof on a really fresh Debian 12 and Debian 13 (root; minutes each):
# in a minimal root of each with only make, git and ca-certificates,
# `make test-windows` alone, the package with the nocheck profile, `make
# test`, then the package built with its tests, installed and its
# autopkgtest run (scripts/clean-room RELEASE runs one).
CLEAN_ROOM_RELEASES ?= bookworm trixie
clean-room:
	@for release in $(CLEAN_ROOM_RELEASES); do scripts/clean-room $$release || exit 1; done

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(WIN_BUILD)

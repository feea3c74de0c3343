# Nombrelix: the entry points. `make run` starts the window, `make test` runs
# the whole suite; both install what they need with apt-get on Debian.

BUILD      ?= build
SAN_BUILD  ?= build-sanitize
GENERATOR  ?= Ninja
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)

# What building needs, and what the tests need on top of it.
BUILD_DEPS := cmake ninja-build g++ pkg-config libgtest-dev libbenchmark-dev \
              qt6-base-dev libgl-dev fonts-liberation2
TEST_DEPS  := xvfb xauth xdotool xclip x11-utils imagemagick librsvg2-bin desktop-file-utils \
              appstream dpkg-dev file binutils-mingw-w64-x86-64

.PHONY: all deps test-deps configure build test test-sanitize run bench package clean

all: build

deps:
	@scripts/ensure-packages $(BUILD_DEPS)

test-deps: deps
	@scripts/ensure-packages $(TEST_DEPS)

configure: deps
	@cmake -S . -B $(BUILD) -G $(GENERATOR) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: test-deps build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) -LE long

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: test-deps
	@cmake -S . -B $(SAN_BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug \
	  -DNOMBRELIX_SANITIZE=ON -DNOMBRELIX_BENCH=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(SAN_BUILD) -j $(JOBS)
	@ctest --test-dir $(SAN_BUILD) --output-on-failure -j $(JOBS) -LE long

run: build
	@if [ -z "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}" ]; then \
	  echo "Nombrelix needs a display and none is set (DISPLAY); without a desktop try: xvfb-run make run" >&2; \
	  exit 1; \
	fi
	@$(BUILD)/app/nombrelix

bench: build
	@$(BUILD)/bench/engine_bench

# A Debian package, build/nombrelix_1.00_<arch>.deb.
package: build
	@scripts/ensure-packages dpkg-dev file
	@cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(SAN_BUILD)

# Entry points for people; the build itself is CMake with Ninja.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
CMAKE_FLAGS = -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSHOWSAVER_WERROR=ON
# The Windows trees of `make windows`, one per architecture; the plain tree's
# Wine tests take the Windows programs from them.
WINDOWS_ARCHS  = i686 x86_64
WINDOWS_BUILDS = $(foreach arch,$(WINDOWS_ARCHS),$(CURDIR)/build-windows-$(arch))
empty :=
space := $(empty) $(empty)

.PHONY: all deps test-deps build build-asan run demo-sheet demo-gif test test-fast fuzz bench windows \
        deb studio release format clean

all: build

deps:
	@./scripts/install-deps

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) \
	  -DSHOWSAVER_WINDOWS_BUILD_DIRS="$(subst $(space),:,$(WINDOWS_BUILDS))"

$(ASAN_BUILD)/build.ninja:
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DSHOWSAVER_SANITIZE=ON

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

build-asan: deps $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)

# Builds what the demo needs (the player, showpack, the demo maker) and the
# demo show, build/demo/demo.scr, then plays it.
run: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target demo
	./scripts/run-demo $(BUILD)

# Renders the demo headlessly: the contact sheet in docs/ that README shows;
# demo-gif: one round as an animated GIF, $(BUILD)/demo/demo.gif.
demo-sheet: build
	cmake --build $(BUILD) --target demo_sheet

demo-gif: build
	cmake --build $(BUILD) --target demo_gif

# Wine and the cross compilers, besides what the build needs.
test-deps:
	@./scripts/install-deps --wine --studio

# Unit and end-to-end tests, the Windows programs under Wine and the studio in
# Chromium, then the same again (without Wine and the studio) under
# AddressSanitizer and UBSan.
test: test-deps build build-asan windows studio
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)
	./scripts/fuzz 20

# The fuzz targets (package reader, picture decoder, media commands, manifest) with
# libFuzzer, ASan and UBSan, FUZZ_SECONDS each (make fuzz FUZZ_SECONDS=3600).
FUZZ_SECONDS ?= 600
fuzz: deps
	./scripts/fuzz $(FUZZ_SECONDS)

test-fast: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The benchmarks, each figure beside its reference from the same run: the
# drawing (BENCH_ARGS go to Google Benchmark, e.g.
# BENCH_ARGS=--benchmark_filter=effect_13), then the whole program on a
# private X server (presentation, start-up, extraction, idle, memory).
BENCH_TARGETS = showsaver_bench showsaver showpack showsaver_run_probe \
                showsaver_present_bench showsaver_extract_bench showsaver_soak_bench \
                showsaver_showpack_memory_bench
bench: deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DSHOWSAVER_BENCH=ON
	cmake --build build-bench -j $(JOBS) --target $(BENCH_TARGETS)
	./scripts/run-benchmarks build-bench $(BENCH_ARGS)
	./scripts/run-system-benchmarks build-bench

# Cross-compiles the player for 32- and 64-bit Windows with MinGW-w64:
# build-windows-i686/showsaver.scr and build-windows-x86_64/showsaver.scr, with
# the backend's own tests and the drawing replay on the real GDI.
windows:
	@./scripts/install-deps --windows
	for target in $(WINDOWS_ARCHS); do \
	  cmake -S . -B build-windows-$$target -G Ninja -DSHOWSAVER_WERROR=ON \
	    -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-$$target.cmake && \
	  cmake --build build-windows-$$target -j $(JOBS) || exit 1; \
	done

# The Debian package of the Linux player, showpack, their manual pages, the
# shell completion, the xscreensaver description, the Windows players and the
# studio: $(BUILD)/deb/showsaver_<version>_<architecture>.deb (sudo apt install ./that.deb).
deb: build windows studio
	cpack --config $(BUILD)/CPackConfig.cmake -B $(BUILD)/deb

# The studio in one file, $(BUILD)/studio/showsaver-studio.html: the page,
# the engine built with emscripten from the core, and the three players it
# joins shows to, bundled by esbuild.  The engine's code page table comes from
# the plain tree.  Debian's emscripten finds acorn through NODE_PATH when node
# is not Debian's own.
STUDIO_ENGINE  = $(BUILD)/studio-engine
STUDIO_ENV     = NODE_PATH=/usr/share/nodejs
STUDIO_PLAYERS = windows-x64=$(CURDIR)/build-windows-x86_64/showsaver.scr;$\
                 windows-x86=$(CURDIR)/build-windows-i686/showsaver.scr;$\
                 linux=$(CURDIR)/$(BUILD)/showsaver-stripped
studio: build windows
	@./scripts/install-deps --studio
	$(STUDIO_ENV) emcmake cmake -S . -B $(STUDIO_ENGINE) -G Ninja -DSHOWSAVER_STUDIO=ON \
	  -DSHOWSAVER_TESTS=OFF -DCMAKE_BUILD_TYPE=Release -DSHOWSAVER_WERROR=ON \
	  -DSHOWSAVER_CODE_PAGE_TABLE=$(CURDIR)/$(BUILD)/tools/studio/code_page_932_table.cpp \
	  -DSHOWSAVER_STUDIO_FILE=$(CURDIR)/$(BUILD)/studio/showsaver-studio.html \
	  -DSHOWSAVER_STUDIO_PLAYERS="$(STUDIO_PLAYERS)"
	$(STUDIO_ENV) cmake --build $(STUDIO_ENGINE) -j $(JOBS)

# What people who never build take, in $(BUILD)/release/: the studio in one
# file, the two Windows players, the demo for Windows, the Debian package,
# the release notes and SHA256SUMS.
release: deb studio
	cmake --build $(BUILD) --target demo_windows
	cmake --build $(BUILD) --target release

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-bench build-fuzz build-windows-*

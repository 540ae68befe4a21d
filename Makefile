# Entry points for people; the build itself is CMake with Ninja.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
CMAKE_FLAGS = -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSHOWSAVER_WERROR=ON

.PHONY: all deps build build-asan run test test-fast bench windows format clean

all: build

deps:
	@./scripts/install-deps

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

$(ASAN_BUILD)/build.ninja:
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DSHOWSAVER_SANITIZE=ON

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

build-asan: deps $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)

# Builds the demo show and plays it.
run: build
	./scripts/run-demo $(BUILD)

# Unit and end-to-end tests, then the same again under AddressSanitizer and UBSan.
test: build build-asan
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

test-fast: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DSHOWSAVER_BENCH=ON
	cmake --build build-bench -j $(JOBS)
	./scripts/run-benchmarks build-bench

# Cross-compiles the player for 32- and 64-bit Windows with MinGW-w64:
# build-windows-i686/showsaver.scr and build-windows-x86_64/showsaver.scr.
windows:
	@./scripts/install-deps --windows
	for target in i686 x86_64; do \
	  cmake -S . -B build-windows-$$target -G Ninja -DSHOWSAVER_WERROR=ON \
	    -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-$$target.cmake && \
	  cmake --build build-windows-$$target -j $(JOBS) || exit 1; \
	done

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-bench build-windows-*

# The README's commands. Each one sets up what is missing first (scripts/bootstrap is idempotent).
BUILD_TYPE ?= Debug
WIN_BUILD := build/win
# Benchmarks measure optimized code: a Release tree of their own.
BENCH_BUILD := build/win-release
JOBS ?= $(shell nproc)

.PHONY: all setup build test demo demo-desktop bench fuzz clean

all: build

setup:
	@bash scripts/bootstrap

$(WIN_BUILD)/build.ninja: CMakeLists.txt cmake/mingw-w64-x86_64.cmake | setup
	cmake -S . -B $(WIN_BUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: setup $(WIN_BUILD)/build.ninja
	cmake --build $(WIN_BUILD) -j $(JOBS)

test: build
	python3 scripts/check-layers
	@if [ -x scripts/native-test ]; then bash scripts/native-test; fi
	FUZZ_TOTAL_SECONDS=32 bash scripts/fuzz
	bash scripts/run-tests

demo: build
	bash scripts/run-demo

# The terminal on a real (virtual) X display, driven by real mouse and keyboard input; installs
# its own packages first. `make test` does not use it.
demo-desktop: build
	@bash scripts/bootstrap --desktop
	bash scripts/demo-desktop

$(BENCH_BUILD)/build.ninja: CMakeLists.txt cmake/mingw-w64-x86_64.cmake | setup
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release

bench: setup $(BENCH_BUILD)/build.ninja $(WIN_BUILD)/build.ninja
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target benchmarks
	# FilterFillBench compares the Debug build with the Release one: it runs its Debug twin.
	cmake --build $(WIN_BUILD) -j $(JOBS) --target FilterFillBench
	@if [ -x scripts/native-bench ]; then bash scripts/native-bench; fi
	BENCH_BUILD=$(BENCH_BUILD) bash scripts/run-bench

fuzz: setup
	bash scripts/fuzz

clean:
	rm -rf build/win $(BENCH_BUILD) build/native build/fuzz

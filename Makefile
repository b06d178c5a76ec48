# The README's commands. Each installs what it needs first.
SHELL := /bin/bash
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 60
CMAKE_FLAGS ?=

.PHONY: all deps build test test-asan test-release bench fuzz fuzz-build demo install clean

all: build

deps:
	@bash scripts/install-deps

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

# Every test, built once with AddressSanitizer and UBSan (optimised lightly so that the suite stays
# quick): this is the CI run. `make test-release` runs the same tests in the normal build.
test: test-asan

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKERBELIN_SANITIZE=ON -DKERBELIN_BENCH=OFF \
	  -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" -DCMAKE_C_FLAGS_DEBUG="-O1 -g1" $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS) --timeout 600

test-release: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 300

bench: build
	@for b in $(BUILD)/bin/*_bench; do echo "== $$b"; $$b --benchmark_min_time=0.2; done

# libFuzzer targets (clang, ASan and UBSan), each run for FUZZ_SECONDS on its seeds and on what it
# found before. Only the fuzzers and the libraries they link are built, at -O1: fuzzing wants
# executions per second more than the last few per cent of optimisation.
FUZZ_FLAGS ?= -O1 -gline-tables-only
FUZZ_CORPUS ?= fuzz-corpus

fuzz-build: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_FLAGS_DEBUG="$(FUZZ_FLAGS)" -DCMAKE_C_FLAGS_DEBUG="$(FUZZ_FLAGS)" \
	  -DKERBELIN_FUZZ=ON -DKERBELIN_TESTS=OFF -DKERBELIN_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers

fuzz: fuzz-build
	@bash scripts/run-fuzzers $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_CORPUS)

# The simulator against a local back-end: a phone-sized window with a display, otherwise the scripted
# tour with its screenshots in $(BUILD)/tour/index.html. Only the two programs it runs are built.
demo: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target kerbelin-sim kerbelin-backend
	@bash tools/simulator/demo.sh $(BUILD)

# The prefix goes to the configuration too, so that GNUInstallDirs picks the folders that prefix uses
# (lib/x86_64-linux-gnu for /usr on Debian) and the pkg-config file names them. Only what is installed
# is built: the libraries and the tools, not the tests or the benchmarks.
install: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_INSTALL_PREFIX=$(or $(PREFIX),/usr/local) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS) --target kerbelin_installed
	cmake --install $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)

# make run: install what is missing, build, open the desktop application on the bundled sample
#   stream (tessivo-cli analyses it instead when no display can be reached).
# make test: build and run every test, clang-tidy on the engine, then the sanitizer build's
#   tests and short fuzz runs.
# make fuzz: long fuzz runs (FUZZ_RUNS executions per target).
# make package: the Debian package, in $(BUILD).
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
TIDY_BUILD ?= build-tidy
SAMPLE ?= tests/data/mpeg2_pal_interlaced.vob
JOBS ?= $(shell nproc)
FUZZ_SMOKE_SECONDS ?= 20
FUZZ_RUNS ?= 10000000

.PHONY: all deps configure build run package test unit-test tidy asan-test fuzz-build fuzz-smoke \
  fuzz clean

all: build

deps:
	sh scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	sh scripts/run-sample.sh $(BUILD) $(SAMPLE)

package: build
	cd $(BUILD) && cpack -G DEB

test: unit-test tidy asan-test fuzz-smoke

unit-test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The engine alone, compiled with clang-tidy beside the compiler (.clang-tidy holds the checks).
tidy: deps
	cmake -S . -B $(TIDY_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTESSIVO_TIDY=ON \
	  -DTESSIVO_BUILD_GUI=OFF -DTESSIVO_BUILD_TESTS=OFF
	cmake --build $(TIDY_BUILD) -j $(JOBS) --target tessivo_engine

asan-test: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTESSIVO_SANITIZE=ON -DTESSIVO_BUILD_GUI=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

fuzz-build: deps
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++ -DTESSIVO_FUZZ=ON -DTESSIVO_BUILD_TESTS=OFF \
	  -DTESSIVO_BUILD_GUI=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	sh fuzz/make_seed_corpus.sh $(FUZZ_BUILD)/src/cli/tessivo-cli $(FUZZ_BUILD)/corpus

fuzz-smoke: fuzz-build
	sh fuzz/run_fuzzers.sh $(FUZZ_BUILD) -max_total_time=$(FUZZ_SMOKE_SECONDS)

fuzz: fuzz-build
	sh fuzz/run_fuzzers.sh $(FUZZ_BUILD) -runs=$(FUZZ_RUNS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(TIDY_BUILD)

# make run: install what is missing, build, analyse the bundled sample stream.
# make test: build and run every test.
BUILD ?= build
SAMPLE ?= tests/data/mpeg2_pal_interlaced.vob
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test clean

all: build

deps:
	sh scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/src/cli/tessivo-cli analyse $(SAMPLE)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)

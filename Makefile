# Grabwell 2000: the two commands a newcomer needs are `make run` and `make test`.
# Everything else here is a building block of those two.

SHELL := /bin/bash
JOBS ?= $(shell nproc)
WINE_PREFIX ?= $(CURDIR)/build/wine/test-prefix
FUZZ_SECONDS ?= 20

.PHONY: all setup build native win64 win32 fuzz-build bench-build run test test-native test-windows test-e2e test-fuzz bench dist clean

all: build

setup:
	@bash scripts/setup.sh

build: native win64 win32

native: setup
	cmake --preset native >/dev/null
	cmake --build --preset native -j $(JOBS)

win64: setup
	cmake --preset win64 >/dev/null
	cmake --build --preset win64 -j $(JOBS)

win32: setup
	cmake --preset win32 >/dev/null
	cmake --build --preset win32 -j $(JOBS)

fuzz-build: setup
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS)

run: win64
	@bash scripts/run-grabwell.sh build/win64

# The bench preset is built (not run) too, so that it cannot break unseen.
test: build fuzz-build bench-build
	@$(MAKE) --no-print-directory test-native test-windows test-e2e test-fuzz

test-native:
	ctest --test-dir build/native --output-on-failure -j $(JOBS)

test-windows:
	bash scripts/with-wine.sh $(WINE_PREFIX) ctest --test-dir build/win64 --output-on-failure --repeat until-pass:2

test-e2e:
	/usr/bin/python3 -m pytest -q tests/e2e

test-fuzz:
	bash scripts/run-fuzzers.sh build/fuzz $(FUZZ_SECONDS)

bench-build: setup
	cmake --preset bench >/dev/null
	cmake --build --preset bench -j $(JOBS)

bench: bench-build win64
	bash bench/run.sh build/bench

dist: win64 win32
	bash scripts/make-dist.sh

clean:
	rm -rf build dist

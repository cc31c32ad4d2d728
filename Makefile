# Two commands do everything: `make run` and `make test`.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
CMAKE_GEN := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")

.PHONY: all setup native win test run gallery bench fuzz clean clang-win dist
all: native win

setup:
	@scripts/setup

build/native/build.ninja build/native/Makefile:
	cmake -S . -B build/native $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug >/dev/null

build/win/build.ninja build/win/Makefile:
	cmake -S . -B build/win $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null

native: setup | build/native/$(if $(CMAKE_GEN),build.ninja,Makefile)
	cmake --build build/native -j $(JOBS)

win: setup | build/win/$(if $(CMAKE_GEN),build.ninja,Makefile)
	cmake --build build/win -j $(JOBS)

build/clang-win/build.ninja build/clang-win/Makefile:
	cmake -S . -B build/clang-win $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/clang-mingw-w64.cmake >/dev/null

# The Windows tree built by clang instead of GCC, warnings as errors, and the portable
# tests run under Wine (see "Building with another compiler" in the README).
clang-win: setup | build/clang-win/$(if $(CMAKE_GEN),build.ninja,Makefile)
	cmake --build build/clang-win -j $(JOBS)
	ctest --test-dir build/clang-win -R '^portable_tests$$' --output-on-failure --timeout 300

test: native win
	@scripts/run-tests

run: win
	@scripts/run-program

gallery: win
	@scripts/run-program --gallery

bench: native win
	@scripts/run-bench

fuzz: setup
	@scripts/run-fuzz

# The release: build/dist/Kestrovane1-<version>-win64.zip and its SHA-256 sum, checked.
dist: setup
	@scripts/make-dist

clean:
	rm -rf build/native build/win build/clang-win build/fuzz build/bench build/dist-win build/dist

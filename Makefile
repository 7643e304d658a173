# Every target first installs what is missing, so a fresh Debian machine needs nothing else.
BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)
# WERROR=ON turns every warning in our code into an error, as CI builds it.
WERROR ?= OFF
PREFIX ?= /usr/local
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")

.PHONY: all deps build run test test-slow test-sanitize fuzz bench install package r-package r-check clean

all: build

deps:
	@bash tools/install-deps

build: deps
	cmake -S . -B $(BUILD_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=$(PREFIX) -DCORVANE_WERROR=$(WERROR)
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./$(BUILD_DIR)/corvane

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# Parameter recovery at every size (many minutes): the tests labelled slow.
test-slow: deps
	cmake -S . -B $(BUILD_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_SLOW_TESTS=ON
	cmake --build $(BUILD_DIR) -j $(JOBS)
	ctest --test-dir $(BUILD_DIR) --output-on-failure -L slow

test-sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DCORVANE_SANITIZE=ON -DCORVANE_BENCH=OFF
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	ctest --test-dir $(SANITIZE_DIR) --output-on-failure -j $(JOBS) -LE realdata

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_FUZZ_ONLY=ON
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	bash tools/run-fuzzers $(FUZZ_DIR) $(FUZZ_SECONDS)

bench: build
	bash tools/run-benchmarks $(BUILD_DIR) $(BENCH_ARGS)

install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# build/corvane_<version>_<architecture>.deb, installing under /usr whatever PREFIX says.
package: build
	cd $(BUILD_DIR) && cpack -G DEB

# The R package (r/), staged with the project's runtime, simulation and analysis sources into
# $(BUILD_DIR)/r-package/corvane and built into $(BUILD_DIR)/r-package/corvane_<version>.tar.gz;
# `R CMD INSTALL` that file.
r-package: deps
	bash tools/stage-r-package $(BUILD_DIR)/r-package

# R CMD check of that tarball (no manual: no LaTeX). Its tests compare with the built corvane-cli
# when there is one, else with its output saved in r/tests/testthat/fixtures.
r-check: r-package
	cd $(BUILD_DIR)/r-package && \
	CORVANE_CLI="$$(test -x $(CURDIR)/$(BUILD_DIR)/src/cli/corvane-cli && echo $(CURDIR)/$(BUILD_DIR)/src/cli/corvane-cli)" \
	MAKEFLAGS=-j$(JOBS) _R_CHECK_FORCE_SUGGESTS_=false \
	R CMD check --no-manual corvane_*.tar.gz
	bash tools/check-r-log $(BUILD_DIR)/r-package/corvane.Rcheck/00check.log

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR)

# The two commands a fresh machine needs are `make run` and `make test`; both install
# the Debian packages that are missing first.
BUILD          ?= build
BUILD_SANITIZE ?= build-sanitize
BUILD_FUZZ     ?= build-fuzz
JOBS           ?= $(shell nproc)
CMAKE_FLAGS    ?=

.PHONY: deps configure build run test test-sanitize bench fuzz-configure fuzz fuzz-check package format clean

deps:
	@scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run.sh $(BUILD)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-sanitize: deps
	cmake -S . -B $(BUILD_SANITIZE) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLINKSET_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD_SANITIZE) -j $(JOBS)
	cd $(BUILD_SANITIZE) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/testing/lsan.supp:print_suppressions=0 \
	  ctest --output-on-failure -j $(JOBS)

bench: build
	@scripts/bench.sh $(BUILD)

# The libFuzzer programs, under the sanitizers, in a build folder of their own; only they
# are built there (the tests and benchmarks come from make test and make bench).
fuzz-configure: deps
	CC=clang CXX=clang++ cmake -S . -B $(BUILD_FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DLINKSET_FUZZ=ON -DLINKSET_SANITIZE=ON $(CMAKE_FLAGS)

fuzz: fuzz-configure
	cmake --build $(BUILD_FUZZ) -j $(JOBS) --target linkset_fuzzers

# What CI checks of the fuzzing build in little time: it configures, and one fuzz
# program builds and links.
fuzz-check: fuzz-configure
	cmake --build $(BUILD_FUZZ) -j $(JOBS) --target telnet_filter

package: build
	cd $(BUILD) && cpack -G DEB

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(BUILD_SANITIZE) $(BUILD_FUZZ)

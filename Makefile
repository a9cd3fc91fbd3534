# Two commands do all of the set-up on a fresh Debian machine:
#   make run    installs what is missing, builds in Release and starts the game
#   make test   installs what is missing, builds and runs every test through CTest
BUILD       ?= build
ASAN_BUILD  ?= build-asan
BENCH_BUILD ?= build-bench
JOBS        ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps build run test test-release test-sanitize bench install package clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j$(JOBS)

run: build
	./$(BUILD)/src/ringtafel

test: test-release test-sanitize

test-release: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer;
# those labelled "sanitize" run there with leak detection on.
test-sanitize: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRINGTAFEL_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  ctest --output-on-failure -L sanitize -j$(JOBS)

bench: deps
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DRINGTAFEL_BUILD_BENCH=ON $(CMAKE_FLAGS)
	cmake --build $(BENCH_BUILD) -j$(JOBS)
	cd $(BENCH_BUILD) && ./bench/ringtafel_bench

install: build
	cmake --install $(BUILD)

package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD)

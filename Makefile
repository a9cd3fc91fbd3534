# SPDX-License-Identifier: MIT
# Two commands do all of the set-up on a fresh Debian machine:
#   make run    installs what is missing, builds in Release and starts the game
#   make test   installs what is missing, builds and runs every test through CTest
BUILD       ?= build
ASAN_BUILD  ?= build-asan
BENCH_BUILD ?= build-bench
FUZZ_BUILD  ?= build-fuzz
FUZZ_SECONDS ?= 60
WEB_PAGE    ?= $(WEB_BUILD)/ringtafel.html
JOBS        ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps build run test test-release test-sanitize test-fuzz fuzz-build fuzz bench install package check-reproducible clean web test-web dist

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j$(JOBS)

run: build
	./$(BUILD)/src/ringtafel

test: test-release test-sanitize test-fuzz test-web

test-release: build web
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

# --- The page -------------------------------------------------------------
# One self-contained HTML file, build-web/ringtafel.html, built with Debian's
# emscripten, and the site for a web host made from it, build-web/site/; the
# rules' test suites run there under node.
WEB_BUILD ?= build-web
# emcc runs its JavaScript tools with node; a node from outside Debian finds
# Debian's acorn only by this path.
export NODE_PATH := /usr/share/nodejs$(if $(NODE_PATH),:$(NODE_PATH))

web: deps
	emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)
	cmake --build $(WEB_BUILD) -j$(JOBS) --target ringtafel_page ringtafel_site

test-web: web
	cmake --build $(WEB_BUILD) -j$(JOBS)
	cd $(WEB_BUILD) && ctest --output-on-failure -j$(JOBS)

# The libFuzzer targets, built with clang in their own directory without Qt.
fuzz-build: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRINGTAFEL_FUZZ=ON $(CMAKE_FLAGS)
	cmake --build $(FUZZ_BUILD) -j$(JOBS)

# Each fuzz target briefly (10 s) over its seed corpus, so a regression fails.
test-fuzz: fuzz-build
	cd $(FUZZ_BUILD) && ctest --output-on-failure -L fuzz -j$(JOBS)

# Each fuzz target for FUZZ_SECONDS (make fuzz FUZZ_SECONDS=600); what a run
# finds stays in $(FUZZ_BUILD)/fuzz-runs/<target>/.
fuzz: fuzz-build
	@for target in $(FUZZ_BUILD)/fuzz/*_fuzzer; do \
	  name=$$(basename $$target); \
	  fuzz/run-fuzzer.sh $$target $(FUZZ_SECONDS) $(FUZZ_BUILD)/fuzz-runs/$$name \
	    fuzz/corpus/typed-text fuzz/corpus/$$name || exit 1; \
	done

# Then the page's rows, in both browsers, against the native tick.
bench: deps
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DRINGTAFEL_BUILD_BENCH=ON -DRINGTAFEL_BUILD_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(BENCH_BUILD) -j$(JOBS)
	cd $(BENCH_BUILD) && ./bench/ringtafel_bench > ringtafel_bench.txt; status=$$?; cat ringtafel_bench.txt; exit $$status
	$(MAKE) --no-print-directory web
	/usr/bin/python3 -B bench/web_bench.py $(WEB_PAGE) $(BENCH_BUILD)/ringtafel_bench.txt

install: build
	cmake --install $(BUILD)

# cpack gives the archive's members the modes its own umask leaves them.
package: build
	cd $(BUILD) && umask 022 && cpack -G DEB

# What a release hands out: the page, the Debian package, the site for a web
# host and the checksums of all of them.
DIST ?= dist
dist: web package
	rm -rf $(DIST)
	mkdir -p $(DIST)
	cp $(WEB_PAGE) $(BUILD)/ringtafel_*.deb $(DIST)/
	cp -r $(WEB_BUILD)/site $(DIST)/site
	cd $(DIST) && find . -type f ! -name SHA256SUMS | sed 's|^\./||' | LC_ALL=C sort | xargs sha256sum > SHA256SUMS

# The package built twice from clean clones in two places must not differ.
check-reproducible: deps
	scripts/check-reproducible.sh $(JOBS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD) $(WEB_BUILD) $(DIST)

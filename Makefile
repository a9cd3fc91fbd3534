# SPDX-License-Identifier: MIT
# Two commands do all of the set-up on a fresh Debian machine:
#   make run    installs what playing needs, builds in Release and starts the game
#   make test   installs everything the tests need, builds and runs every test through CTest
# `make help` lists the rest.
BUILD       ?= build
ASAN_BUILD  ?= build-asan
BENCH_BUILD ?= build-bench
FUZZ_BUILD  ?= build-fuzz
FUZZ_SECONDS ?= 60
WEB_PAGE    ?= $(WEB_BUILD)/ringtafel.html
WEB_BENCH_PAGE ?= $(WEB_BUILD)/ringtafel_bench.html
JOBS        ?= $(shell nproc)
CMAKE_FLAGS ?=
# INSTALL_DEPS=no leaves the Debian packages to whoever installed them by hand.
INSTALL_DEPS ?= yes

# $(call deps,GROUP...): the missing packages of those groups of scripts/packages.txt
deps = @RINGTAFEL_INSTALL_DEPS=$(INSTALL_DEPS) scripts/install-deps.sh $(1)

# $(call release_build,ON|OFF): the Release build in $(BUILD), with or without the tests
define release_build
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DRINGTAFEL_BUILD_TESTS=$(1) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j$(JOBS)
endef

.PHONY: all help deps build build-tests run test test-release test-sanitize test-fuzz fuzz-build fuzz bench install package check-reproducible clean web test-web dist

all: build

help:
	@echo 'For players:'
	@echo '  make run            install what playing needs, build in Release, start the game'
	@echo '  make build          the same without starting it (build/src/ringtafel)'
	@echo '  make web            the page: build-web/ringtafel.html, one file for any browser,'
	@echo '                      and build-web/site/ for a web host'
	@echo '  make package        the Debian package in build/'
	@echo '  make install        cmake --install build (to /usr/local)'
	@echo '  make dist           dist/: the page, the package, the site and SHA256SUMS'
	@echo 'For developers:'
	@echo '  make test           install everything, then every test: Release, sanitizers,'
	@echo '                      fuzz targets, the rules under node (tests/README.md)'
	@echo '  make test-release   the Release build'"'"'s tests only (ctest in build/)'
	@echo '  make test-sanitize  the tests labelled sanitize, under ASan and UBSan'
	@echo '  make test-fuzz      each fuzz target for 10 s;  make fuzz: FUZZ_SECONDS each'
	@echo '  make test-web       the rules'"'"' suites compiled to WebAssembly, under node'
	@echo '  make bench          the benchmarks (bench/README.md)'
	@echo '  make check-reproducible   the package built twice must not differ'
	@echo '  make deps           install every package of scripts/packages.txt'
	@echo '  make clean          remove the build directories'
	@echo 'Variables: INSTALL_DEPS=no skips every install; JOBS=N; CMAKE_FLAGS=...'

deps:
	$(call deps,all)

# The player's build: the game alone, without the tests and what they need.
build:
	$(call deps,play)
	$(call release_build,OFF)

run: build
	./$(BUILD)/src/ringtafel

test: test-release test-sanitize test-fuzz test-web

# The same build directory with the tests; make run turns them off again.
build-tests: deps
	$(call release_build,ON)

test-release: build-tests web
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

# $(call web_configure,ON|OFF): the web build, with or without the rules' suites
web_configure = emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release -DRINGTAFEL_BUILD_TESTS=$(1) $(CMAKE_FLAGS)

web:
	$(call deps,web)
	$(call web_configure,OFF)
	cmake --build $(WEB_BUILD) -j$(JOBS) --target ringtafel_page ringtafel_site

test-web: deps
	$(call web_configure,ON)
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

# Then the page's rows: the player's page's size, and in both browsers, against
# the native tick, the page's variant with the benchmark's hook (the player's
# page has none).
bench: deps
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DRINGTAFEL_BUILD_BENCH=ON -DRINGTAFEL_BUILD_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(BENCH_BUILD) -j$(JOBS)
	cd $(BENCH_BUILD) && ./bench/ringtafel_bench > ringtafel_bench.txt; status=$$?; cat ringtafel_bench.txt; exit $$status
	$(MAKE) --no-print-directory web
	cmake --build $(WEB_BUILD) -j$(JOBS) --target ringtafel_bench_page
	PYTHONPATH=tests$${PYTHONPATH:+:$$PYTHONPATH} /usr/bin/python3 -B bench/web_bench.py $(WEB_BENCH_PAGE) $(BENCH_BUILD)/ringtafel_bench.txt $(WEB_PAGE)

install: build
	cmake --install $(BUILD)

# cpack gives the archive's members the modes its own umask leaves them.
# The package's metadata takes its form from the tools found at configure time.
package:
	$(call deps,play package)
	$(call release_build,OFF)
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
check-reproducible:
	$(call deps,play package)
	scripts/check-reproducible.sh $(JOBS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD) $(WEB_BUILD) $(DIST)

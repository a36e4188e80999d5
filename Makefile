# A thin layer over CMake for the everyday commands; see README.md.
BUILD_DIR ?= build
ASAN_DIR ?= build-asan
JOBS ?= $(shell nproc)
WERROR ?= OFF
RUNTIME := $(BUILD_DIR)/run
CLI := $(RUNTIME)/lectora-cli

.PHONY: all build configure setup data check-data run screenshot test sanitize bench format format-check tidy clean

all: build

# Installs the Debian packages the build needs; a no-op when they are there.
# Every configuration runs it first, so that a fresh machine can go straight
# to make test.
setup:
	scripts/setup

configure: setup
	cmake -S . -B $(BUILD_DIR) -DLECTORA_WERROR=$(WERROR) >/dev/null

# Builds everything and assembles the runtime folder $(RUNTIME): the
# executables beside data/ and the built modules.
build: configure
	cmake --build $(BUILD_DIR) -j$(JOBS)

# The texts of the runtime folder, imported from Debian's SWORD packages
# (skipped when they are up to date); check-data reads them back.
data: build
	scripts/build-data $(RUNTIME)

check-data: data
	scripts/check-data $(RUNTIME)

# The Debian package build/lectora_VERSION_ARCH.deb: the programs, the texts
# of the runtime folder as the read-only setup folder /usr/share/lectora,
# the desktop entry, icons and man pages.
.PHONY: package
package: data
	cd $(BUILD_DIR) && cpack -G DEB

# Starts the program from the runtime folder; a first run opens the King
# James Version at John 3:16.
run: setup data
	$(RUNTIME)/lectora

# The README's picture: the program under Xvfb, as first shown.
screenshot: data
	scripts/screenshot $(RUNTIME) docs/screenshot.png

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j$(JOBS)

# Every test, the GUI tests included (offscreen), built with AddressSanitizer
# and UndefinedBehaviorSanitizer. Leak checking stays on for the GUI tests
# too: offscreen, Qt and fontconfig leave nothing behind that LeakSanitizer
# reports, so every report is a leak of our own.
SANITIZE_OPTIONS := ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	QT_QPA_PLATFORM=offscreen
sanitize: setup
	cmake -S . -B $(ASAN_DIR) -DLECTORA_SANITIZE=ON -DLECTORA_BENCHMARKS=OFF -DLECTORA_GUI=ON >/dev/null
	cmake --build $(ASAN_DIR) -j$(JOBS) --target core_tests lectora-cli gui_tests lectora
	$(SANITIZE_OPTIONS) ctest --test-dir $(ASAN_DIR) --output-on-failure -j$(JOBS)

# Builds the libFuzzer targets with clang in $(FUZZ_DIR) and fuzzes each
# reader of a format we own for FUZZ_TIME seconds: the query language, the
# notes' RTF and the link tree. New inputs and any crash stay in $(FUZZ_DIR).
FUZZ_DIR ?= build-fuzz
FUZZ_TIME ?= 30
# target:seed corpus folder under fuzz/
FUZZERS := query_fuzz:corpus rtf_fuzz:corpus-rtf linktree_fuzz:corpus-linktree
.PHONY: fuzz
fuzz: setup
	CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DLECTORA_FUZZ=ON -DLECTORA_BENCHMARKS=OFF -DLECTORA_GUI=OFF >/dev/null
	cmake --build $(FUZZ_DIR) -j$(JOBS) $(foreach f,$(FUZZERS),--target $(firstword $(subst :, ,$(f))))
	set -e; for f in $(FUZZERS); do \
	  target=$${f%%:*}; seeds=$${f#*:}; \
	  mkdir -p $(FUZZ_DIR)/$$target-corpus; \
	  $(FUZZ_DIR)/$$target -max_total_time=$(FUZZ_TIME) -artifact_prefix=$(FUZZ_DIR)/$$target- \
	    $(FUZZ_DIR)/$$target-corpus fuzz/$$seeds; \
	done

# Renders the custom controls to PNG files in $(BUILD_DIR)/gallery/.
.PHONY: gallery
gallery: configure
	cmake --build $(BUILD_DIR) -j$(JOBS) --target gallery
	mkdir -p $(BUILD_DIR)/gallery
	$(RUNTIME)/gallery $(BUILD_DIR)/gallery

# Every benchmark, then the whole-process figures (these need make data).
bench: data
	$(BUILD_DIR)/store_bench
	$(BUILD_DIR)/search_bench
	$(BUILD_DIR)/richedit_bench
	$(BUILD_DIR)/controls_bench
	$(BUILD_DIR)/mainwindow_bench --runtime $(RUNTIME)
	$(BUILD_DIR)/searchpanel_bench --runtime $(RUNTIME)
	$(BUILD_DIR)/range_bench
	$(BUILD_DIR)/options_bench --runtime $(RUNTIME)
	bench/startup-time $(RUNTIME)
	bench/compare-diatheke $(RUNTIME)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

# Fails when a C++ file differs from what clang-format makes of it.
format-check:
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

# clang-tidy (.clang-tidy) over the C++ files changed by the last commit.
tidy: configure
	scripts/tidy-changed $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR)

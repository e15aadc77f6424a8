# Entry points for a fresh Debian 12 machine: each target installs what is missing first.
BUILD ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: deps configure build test demo bench clean configure-san fuzz sanitize

deps:
	./scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
	$(MAKE) fuzz FUZZ_SECONDS=30

# Opens the editor; without a display it runs the guided tour offscreen instead.
TOUR_DIR ?= $(CURDIR)/$(BUILD)/tour
demo: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "No display (DISPLAY and WAYLAND_DISPLAY are unset): running the guided tour offscreen, writing to $(TOUR_DIR)"; \
	  QT_QPA_PLATFORM=offscreen $(BUILD)/demo/GlimmarDemo --tour "$(TOUR_DIR)"; \
	else \
	  $(BUILD)/demo/GlimmarDemo; \
	fi

bench: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/GlimmarBench

# Sanitized build with clang at -O1 (line tables for the reports), benchmarks left out:
# AddressSanitizer + UndefinedBehaviorSanitizer; it also holds the fuzz targets.
SAN_BUILD ?= build-san
SAN_CMAKE_FLAGS = -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
  "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -gline-tables-only" -DGLIMMAR_BUILD_BENCHMARKS=OFF
SAN_SUPP = $(CURDIR)/scripts/sanitizers
SAN_ENV = ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:strict_init_order=1 \
  LSAN_OPTIONS=suppressions=$(SAN_SUPP)/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

configure-san: deps
	cmake -S . -B $(SAN_BUILD) $(SAN_CMAKE_FLAGS) -DGLIMMAR_SANITIZE=address,undefined -DGLIMMAR_FUZZ=ON

# Runs each fuzz target FUZZ_SECONDS on its seeds (fuzz/corpus) and what earlier runs added
# ($(SAN_BUILD)/fuzz/corpus); see the README.
FUZZ_SECONDS ?= 300
FUZZERS = JsonCodecFuzzer PresetConfigFuzzer EffectSettingsFuzzer UserConfigFuzzer
fuzz: configure-san
	cmake --build $(SAN_BUILD) --target $(FUZZERS)
	$(SAN_ENV) ./scripts/run-fuzzers $(SAN_BUILD) $(FUZZ_SECONDS) $(FUZZERS)

# The install test is left out: it only rebuilds what the other tests already ran.
sanitize: configure-san
	cmake --build $(SAN_BUILD)
	cd $(SAN_BUILD) && $(SAN_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 -LE install

clean:
	rm -rf $(BUILD) $(SAN_BUILD)

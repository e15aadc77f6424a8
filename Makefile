# Entry points for a fresh Debian 12 machine: each target installs what is missing first.
BUILD ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: deps configure build test demo bench clean configure-san configure-tsan fuzz sanitize monkey

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

# Random sessions through the demo's window (tests/RandomSessionTest.cpp): SEEDS ("1-100" or
# "3,5,9") of STEPS user actions each, of all kinds or of KINDS ("try,tick,cross,save"); a
# failing seed prints the shortest sequence failing alike.
SEEDS ?= 1-50
STEPS ?= 400
KINDS ?=
monkey: build
	GLIMMAR_MONKEY_SEEDS=$(SEEDS) GLIMMAR_MONKEY_STEPS=$(STEPS) GLIMMAR_MONKEY_KINDS=$(KINDS) QT_QPA_PLATFORM=offscreen \
	  $(BUILD)/tests/GlimmarDemoTests --gtest_filter='RandomSessions.*'

bench: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/GlimmarBench

# Sanitized build with clang at -O1 (line tables for the reports), benchmarks left out:
# AddressSanitizer + UndefinedBehaviorSanitizer; it also holds the fuzz targets.
SAN_BUILD ?= build-san
SAN_CMAKE_FLAGS = -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
  "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -gline-tables-only" -DGLIMMAR_BUILD_BENCHMARKS=OFF
SAN_SUPP = $(CURDIR)/scripts/sanitizers
# The sanitizers run several times slower: fewer random sessions, shorter ones.
SAN_MONKEY = GLIMMAR_MONKEY_SEEDS=1-3 GLIMMAR_MONKEY_STEPS=150
SAN_ENV = ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:strict_init_order=1 \
  LSAN_OPTIONS=suppressions=$(SAN_SUPP)/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 $(SAN_MONKEY)

configure-san: deps
	cmake -S . -B $(SAN_BUILD) $(SAN_CMAKE_FLAGS) -DGLIMMAR_SANITIZE=address,undefined -DGLIMMAR_FUZZ=ON

# Runs each fuzz target FUZZ_SECONDS on its seeds (fuzz/corpus) and what earlier runs added
# ($(SAN_BUILD)/fuzz/corpus); see the README.
FUZZ_SECONDS ?= 300
FUZZERS = JsonCodecFuzzer PresetConfigFuzzer EffectSettingsFuzzer UserConfigFuzzer
fuzz: configure-san
	cmake --build $(SAN_BUILD) --target $(FUZZERS)
	$(SAN_ENV) ./scripts/run-fuzzers $(SAN_BUILD) $(FUZZ_SECONDS) $(FUZZERS)

# ThreadSanitizer on the library's, the host's and the demo's tests, which hold the threaded ones
# (drawer, renderer, applier, resource manager, lists with a real drawer, the demo's export and
# smoothing). Each binary runs whole in one process (a sanitized start-up per test would double
# the time); left out are the tests of writer processes and of pixel precision, which take
# minutes under it and share no thread.
TSAN_BUILD ?= build-tsan
TSAN_CMAKE_FLAGS = -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
  "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g" -DGLIMMAR_BUILD_BENCHMARKS=OFF
TSAN_TESTS = GlimmarLibraryTests GlimmarHostTests GlimmarDemoTests
TSAN_SKIPPED = ConfigWriters.*:*OneLevelOf*
# Qt's own allocations and locks are not checked (ignore_noninstrumented_modules); see tsan.supp.
TSAN_ENV = TSAN_OPTIONS="halt_on_error=1 exitcode=66 second_deadlock_stack=1 ignore_noninstrumented_modules=1 \
  suppressions=$(SAN_SUPP)/tsan.supp print_suppressions=0" $(SAN_MONKEY)

configure-tsan: deps
	cmake -S . -B $(TSAN_BUILD) $(TSAN_CMAKE_FLAGS) -DGLIMMAR_SANITIZE=thread

# The install test is left out: it only rebuilds what the other tests already ran.
sanitize: configure-san configure-tsan
	cmake --build $(SAN_BUILD)
	cd $(SAN_BUILD) && $(SAN_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 -LE install
	cmake --build $(TSAN_BUILD) --target $(TSAN_TESTS)
	for tests in $(TSAN_TESTS); do \
	  $(TSAN_ENV) QT_QPA_PLATFORM=offscreen $(TSAN_BUILD)/tests/$$tests --gtest_filter=-$(TSAN_SKIPPED) || exit 1; \
	done

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(TSAN_BUILD)

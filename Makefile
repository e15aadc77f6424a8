# Entry points for a fresh Debian 12 machine: each target installs what is missing first.
BUILD ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: deps configure build test demo bench clean

deps:
	./scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

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

clean:
	rm -rf $(BUILD)

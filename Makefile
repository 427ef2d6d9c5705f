# The two commands a fresh Debian 12 machine needs: `make run` and `make test`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release
# What `make run` starts: the window, the headless runner and the runner's chart program.
RUN_TARGETS := rcpulse rcpulse-cli rcpulse-cli-chart

# The build's own make runs below this one; its "Entering directory" lines say nothing useful.
MAKEFLAGS += --no-print-directory

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@bash scripts/install-deps.sh

# Configured only when the build folder is new; after that the build configures again by
# itself when a CMake file has changed. Either way its output is shown.
$(BUILD_DIR)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS)

configure: deps $(BUILD_DIR)/CMakeCache.txt

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# Only the programs it starts; `make test` builds the tests and benchmarks.
run: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target $(RUN_TARGETS)
	@bash scripts/run.sh $(BUILD_DIR)

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@$(BUILD_DIR)/bin/rcpulse-bench

clean:
	@rm -rf $(BUILD_DIR)

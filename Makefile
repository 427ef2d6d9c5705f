# The two commands a fresh Debian 12 machine needs: `make run` and `make test`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release

# The build's own make runs below this one; its "Entering directory" lines say nothing useful.
MAKEFLAGS += --no-print-directory

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@bash scripts/install-deps.sh

# Configured when the build folder is new or a CMake file has changed, with its output shown;
# the stamp is ours, since CMake leaves an unchanged cache untouched.
CMAKE_FILES := $(shell find . -name CMakeLists.txt -not -path './$(BUILD_DIR)/*' -not -path './.git/*')
$(BUILD_DIR)/configured.stamp: $(CMAKE_FILES) | deps
	cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS)
	@touch $@

configure: deps $(BUILD_DIR)/configured.stamp

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# Only the programs it may start (the window, the runner and the runner's chart program);
# `make test` builds the tests and benchmarks.
run: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target programs
	@bash scripts/run.sh $(BUILD_DIR)

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Every test once more, built with AddressSanitizer (leaks included) and
# UndefinedBehaviorSanitizer in a folder of its own; slow, so not part of `make test`.
.PHONY: test-sanitize
SANITIZE_DIR ?= build-sanitize
SANITIZE_ENV = QT_QPA_PLATFORM=offscreen \
  ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:detect_stack_use_after_return=1 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

test-sanitize: deps
	@cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRCPULSE_SANITIZE=ON >/dev/null
	@$(SANITIZE_ENV) cmake --build $(SANITIZE_DIR) -j $(JOBS)
	@cd $(SANITIZE_DIR) && $(SANITIZE_ENV) ctest --output-on-failure -j $(JOBS)

bench: build
	@$(BUILD_DIR)/bin/rcpulse-bench

clean:
	@rm -rf $(BUILD_DIR)

# The two entry points: `make run` builds and starts the program, `make test` builds and runs every
# test. Both install the Debian packages they need first (quietly when all is there).

BUILD      ?= build
BUILD_ASAN ?= build-asan
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=

.PHONY: all deps configure build run test test-sanitize bench clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja: | deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS) >/dev/null

configure: deps $(BUILD)/build.ninja

build: configure
	@cmake --build $(BUILD)

run: build
	@if [ -x $(BUILD)/app/tavren ]; then \
	  exec $(BUILD)/app/tavren; \
	else \
	  echo "Everything is built; the program itself is not there yet (app/ has no main)."; \
	fi

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# AddressSanitizer and UndefinedBehaviorSanitizer over the tests labelled "sanitize".
test-sanitize: deps
	@cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVREN_SANITIZE=ON $(CMAKE_ARGS) >/dev/null
	@cmake --build $(BUILD_ASAN) --target sanitize_tests
	@ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  ctest --test-dir $(BUILD_ASAN) -L sanitize --output-on-failure -j $(JOBS)

bench: build
	@cmake --build $(BUILD) --target benchmarks
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done; true

clean:
	rm -rf $(BUILD) $(BUILD_ASAN)

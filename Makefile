# The two entry points: `make run` builds and starts the program, `make test` builds and runs every
# test. Both install the Debian packages they need first (quietly when all is there).

BUILD      ?= build
BUILD_ASAN ?= build-asan
BUILD_FUZZ ?= build-fuzz
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=

.PHONY: all deps configure build run test test-sanitize bench fuzz clean

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

# Every benchmark program (bench/<name>/ builds $(BUILD)/bench/<name>/bench_<name>), one after another.
bench: build
	@cmake --build $(BUILD) --target benchmarks
	@status=0; for b in $(BUILD)/bench/*/bench_*; do \
	  [ -x "$$b" ] || continue; echo "== $$(basename $$b)"; "$$b" || status=1; \
	done; exit $$status

# Every libFuzzer harness of fuzz/ for FUZZ_SECONDS each (FUZZ=Name runs one), built with clang.
# What a harness finds is written to tests/fuzz/<Name>/, where `make test` replays it from then on:
# mend the fault, keep the file. The growing corpus stays in $(BUILD_FUZZ)/corpus.
FUZZ_SECONDS ?= 60
FUZZ ?= *
fuzz: deps
	@scripts/install-deps fuzz
	@CC=clang CXX=clang++ cmake -S . -B $(BUILD_FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVREN_FUZZ=ON \
	  $(CMAKE_ARGS) >/dev/null
	@cmake --build $(BUILD_FUZZ) --target fuzzers
	@status=0; for f in $(BUILD_FUZZ)/fuzz/fuzz_$(FUZZ); do \
	  case "$$f" in *.*) continue;; esac; \
	  name=$${f##*/fuzz_}; mkdir -p $(BUILD_FUZZ)/corpus/$$name tests/fuzz/$$name; \
	  echo "== $$name ($(FUZZ_SECONDS) s)"; \
	  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  "$$f" -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 -malloc_limit_mb=2048 -timeout=5 \
	    -print_final_stats=0 -artifact_prefix=tests/fuzz/$$name/ \
	    $(BUILD_FUZZ)/corpus/$$name tests/fuzz/$$name 2>$(BUILD_FUZZ)/fuzz_$$name.log \
	    || { status=1; tail -40 $(BUILD_FUZZ)/fuzz_$$name.log; }; \
	  grep -E "^(#[0-9]+ +DONE|Done)" $(BUILD_FUZZ)/fuzz_$$name.log | tail -1; \
	done; exit $$status

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_FUZZ)

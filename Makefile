# The station's two everyday commands are `make run` and `make test`; both install what
# is missing, configure and build first. `make run` installs only what building and
# running the station needs and builds only the station; the test, benchmark and fuzz
# targets install the test tools as well (scripts/install-deps.sh names both sets).
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
TEST_ENV = QT_QPA_PLATFORM=offscreen
DEPS = ./scripts/install-deps.sh
# A build without any test is a failure, not an empty success.
CTEST = ctest --output-on-failure --no-tests=error -j $(JOBS)

.PHONY: deps deps-run deps-test build run test test-asan test-tsan bench fuzz clean FORCE
# One step after the other: a folder is configured only after its packages are installed.
# (The compiler still builds in parallel: JOBS goes to cmake --build and ctest.)
.NOTPARALLEL:

deps-run:
	@$(DEPS) run
deps-test:
	@$(DEPS) test
deps: deps-test

# How each build folder is configured.
CONFIGURE_build = cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)
CONFIGURE_build-asan = cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DORVIX_SANITIZE=address $(CMAKE_FLAGS)
CONFIGURE_build-tsan = cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DORVIX_SANITIZE=thread $(CMAKE_FLAGS)
CONFIGURE_build-fuzz = CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVIX_SANITIZE=fuzzer $(CMAKE_FLAGS)

FOLDERS = build build-asan build-tsan build-fuzz
SQ := '
# $(call shell_quote,text): text as one single-quoted shell word.
shell_quote = '$(subst $(SQ),$(SQ)\$(SQ)$(SQ),$(1))'

# <folder>/.cmake-flags holds the folder's configure command and whether the test packages
# are installed. It is looked at on every make but rewritten only when that changed, so a
# changed CMAKE_FLAGS, or test packages installed after `make run`, configure the folder
# afresh (from an empty cache, so a flag left out is gone too), and nothing else does.
$(FOLDERS:%=%/.cmake-flags): %/.cmake-flags: FORCE
	@mkdir -p $*
	@{ printf '%s\n' $(call shell_quote,$(strip $(CONFIGURE_$*))); \
	   if $(DEPS) --check test; then echo "test packages: installed"; \
	   else echo "test packages: missing"; fi; } > $@.new
	@if cmp -s $@.new $@; then rm -f $@.new; else mv -f $@.new $@; fi

$(FOLDERS:%=%/build.ninja): %/build.ninja: %/.cmake-flags
	rm -f $*/CMakeCache.txt
	$(CONFIGURE_$*)

FORCE:

# Everything: the station, the tests and the benchmarks.
build: deps-test build/build.ninja
	cmake --build build -j $(JOBS)

run: deps-run build/build.ninja
	cmake --build build -j $(JOBS) --target orvix
	./build/app/orvix

# The real-printer test needs the CUPS test server: started and stopped around the run
# unless it is up already (.ci/run keeps it up for all its test runs).
test: build
	./scripts/cups-test-server.sh run sh -c 'cd build && $(TEST_ENV) $(CTEST)'

test-asan: deps-test build-asan/build.ninja
	cmake --build build-asan -j $(JOBS)
	cd build-asan && $(TEST_ENV) ASAN_OPTIONS=detect_leaks=0 $(CTEST)

# Only the tests labelled "thread" run under ThreadSanitizer.
test-tsan: deps-test build-tsan/build.ninja
	cmake --build build-tsan -j $(JOBS)
	cd build-tsan && $(TEST_ENV) TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
	  $(CTEST) -L thread

bench: deps-test build/build.ninja
	cmake --build build -j $(JOBS) --target orvix_bench orvix_window_bench
	./build/bench/orvix_bench --benchmark_counters_tabular=true
	$(TEST_ENV) ./build/bench/orvix_window_bench --benchmark_counters_tabular=true

# Each fuzz target runs FUZZ_SECONDS. It starts from the seeds committed under fuzz/corpus/
# and adds what it finds to a working copy under build-fuzz/corpus/ (kept between runs),
# so the committed seeds never change; crash, leak and timeout inputs go to
# build-fuzz/artifacts/.
FUZZ_SECONDS ?= 30
FUZZ_ARTIFACTS = build-fuzz/artifacts/
fuzz: deps-test build-fuzz/build.ninja
	cmake --build build-fuzz -j $(JOBS) --target fuzz_config
	mkdir -p build-fuzz/corpus/config $(FUZZ_ARTIFACTS)
	cp fuzz/corpus/config/* build-fuzz/corpus/config/
	./build-fuzz/fuzz/fuzz_config -max_total_time=$(FUZZ_SECONDS) -max_len=4200 -len_control=0 \
	  -rss_limit_mb=4096 -artifact_prefix=$(FUZZ_ARTIFACTS) build-fuzz/corpus/config

clean:
	rm -rf $(FOLDERS)

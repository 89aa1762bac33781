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

.PHONY: deps deps-run deps-test build run package test test-asan test-tsan soak soak-asan soak-tsan \
  bench fuzz clean FORCE
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

# The Debian package build/orvix_<version>_amd64.deb: the program and its documents only
# (packaging/CMakeLists.txt), its dependencies read off what it links.
package: deps-run build/build.ninja
	cmake --build build -j $(JOBS) --target orvix orvix_docs
	cd build && cpack -G DEB

# The real-printer test needs the CUPS test server: started and stopped around the run
# unless it is up already (.ci/run keeps it up for all its test runs).
test: build
	./scripts/cups-test-server.sh run sh -c 'cd build && $(TEST_ENV) $(CTEST)'

# The soak test runs under AddressSanitizer in soak-asan, with LeakSanitizer on (below).
test-asan: deps-test build-asan/build.ninja
	cmake --build build-asan -j $(JOBS)
	cd build-asan && $(TEST_ENV) ASAN_OPTIONS=detect_leaks=0 $(CTEST) -E $(SOAK_TESTS)

# The soak test: SOAK_CYCLES START/STOP cycles on the real windows (CI: the short form).
# soak runs it in the normal build, soak-asan under AddressSanitizer with LeakSanitizer
# on, soak-tsan under ThreadSanitizer (test-tsan runs it too, as a thread test).
SOAK_CYCLES ?= 100
SOAK_TESTS = '^Soak\.'
SOAK_ENV = $(TEST_ENV) ORVIX_SOAK_CYCLES=$(SOAK_CYCLES)
soak: deps-test build/build.ninja
	cmake --build build -j $(JOBS) --target soak_tests
	cd build && $(SOAK_ENV) $(CTEST) -R $(SOAK_TESTS)

soak-asan: deps-test build-asan/build.ninja
	cmake --build build-asan -j $(JOBS) --target soak_tests
	cd build-asan && $(SOAK_ENV) ASAN_OPTIONS=detect_leaks=1 $(CTEST) -R $(SOAK_TESTS)

soak-tsan: deps-test build-tsan/build.ninja
	cmake --build build-tsan -j $(JOBS) --target soak_tests
	cd build-tsan && $(SOAK_ENV) TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
	  $(CTEST) -R $(SOAK_TESTS)

# Only the tests labelled "thread" run under ThreadSanitizer.
test-tsan: deps-test build-tsan/build.ninja
	cmake --build build-tsan -j $(JOBS)
	cd build-tsan && $(TEST_ENV) TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
	  $(CTEST) -L thread

bench: deps-test build/build.ninja
	cmake --build build -j $(JOBS) --target orvix_bench orvix_window_bench
	./build/bench/orvix_bench --benchmark_counters_tabular=true
	$(TEST_ENV) ./build/bench/orvix_window_bench --benchmark_counters_tabular=true

# Each fuzz target runs FUZZ_SECONDS, one after the other (CI: 5 targets x 20 s). It starts
# from the seeds committed under fuzz/corpus/ (fuzz/make-seeds.sh remakes them) and adds
# what it finds to a working copy under build-fuzz/corpus/<target>/ (kept between runs),
# so the committed seeds never change; crash, leak and timeout inputs go to
# build-fuzz/artifacts/<target>-*, and the first crash fails the rule. Each target reads
# at most FUZZ_MAXLEN_<target> bytes of an input (longer seeds are cut) with its dictionary.
FUZZ_SECONDS ?= 30
FUZZ_ARTIFACTS = build-fuzz/artifacts/
FUZZ_TARGETS = bmp_open config config_run stream calibration
FUZZ_SEEDS_bmp_open = bmp_open
FUZZ_SEEDS_config = config
FUZZ_SEEDS_config_run = config
FUZZ_SEEDS_stream = stream
FUZZ_SEEDS_calibration = calibration
FUZZ_DICT_bmp_open = bmp_open
FUZZ_DICT_config = config
FUZZ_DICT_config_run = config
FUZZ_DICT_stream = stream
FUZZ_DICT_calibration = calibration
FUZZ_MAXLEN_bmp_open = 65536
FUZZ_MAXLEN_config = 4200
FUZZ_MAXLEN_config_run = 4200
FUZZ_MAXLEN_stream = 16384
FUZZ_MAXLEN_calibration = 256
# conf300.dat images keep their full length: a shorter one is only ever refused.
FUZZ_FLAGS_config = -len_control=0
FUZZ_FLAGS_config_run = -len_control=0
fuzz_run = mkdir -p build-fuzz/corpus/$(1) && cp fuzz/corpus/$(FUZZ_SEEDS_$(1))/* build-fuzz/corpus/$(1)/ && \
  ./build-fuzz/fuzz/fuzz_$(1) -max_total_time=$(FUZZ_SECONDS) -max_len=$(FUZZ_MAXLEN_$(1)) \
  $(FUZZ_FLAGS_$(1)) -dict=fuzz/dict/$(FUZZ_DICT_$(1)).dict -rss_limit_mb=4096 -print_final_stats=1 \
  -artifact_prefix=$(FUZZ_ARTIFACTS)$(1)- build-fuzz/corpus/$(1)
fuzz: deps-test build-fuzz/build.ninja
	cmake --build build-fuzz -j $(JOBS) --target $(FUZZ_TARGETS:%=fuzz_%)
	mkdir -p $(FUZZ_ARTIFACTS)
	$(foreach t,$(FUZZ_TARGETS),$(call fuzz_run,$(t)) && ) true

clean:
	rm -rf $(FOLDERS)

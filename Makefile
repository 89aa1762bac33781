# The station's two everyday commands are `make run` and `make test`;
# both install what is missing, configure and build first.
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
TEST_ENV = QT_QPA_PLATFORM=offscreen

.PHONY: deps build run test test-asan test-tsan bench fuzz clean

deps:
	@./scripts/install-deps.sh

build/build.ninja: | deps
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: deps build/build.ninja
	cmake --build build -j $(JOBS)

run: build
	./build/app/orvix

test: build
	cd build && $(TEST_ENV) ctest --output-on-failure -j $(JOBS)

build-asan/build.ninja: | deps
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVIX_SANITIZE=address $(CMAKE_FLAGS)

test-asan: deps build-asan/build.ninja
	cmake --build build-asan -j $(JOBS)
	cd build-asan && $(TEST_ENV) ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j $(JOBS)

build-tsan/build.ninja: | deps
	cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVIX_SANITIZE=thread $(CMAKE_FLAGS)

# Only the tests labelled "thread" run under ThreadSanitizer.
test-tsan: deps build-tsan/build.ninja
	cmake --build build-tsan -j $(JOBS)
	cd build-tsan && $(TEST_ENV) TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" ctest --output-on-failure -j $(JOBS) -L thread

build-fuzz/build.ninja: | deps
	CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVIX_SANITIZE=fuzzer $(CMAKE_FLAGS)

# Each fuzz target runs FUZZ_SECONDS on a fresh corpus under build-fuzz/corpus/.
FUZZ_SECONDS ?= 30
fuzz: deps build-fuzz/build.ninja
	cmake --build build-fuzz -j $(JOBS)
	mkdir -p build-fuzz/corpus/config
	# Seeds of a whole file's size: zeros, and random bytes.
	head -c 4112 /dev/zero > build-fuzz/corpus/config/zeros
	head -c 4112 /dev/urandom > build-fuzz/corpus/config/random
	./build-fuzz/fuzz/fuzz_config -max_total_time=$(FUZZ_SECONDS) -max_len=4200 -len_control=0 \
	  -rss_limit_mb=4096 build-fuzz/corpus/config

bench: build
	./build/bench/orvix_bench --benchmark_counters_tabular=true

clean:
	rm -rf build build-asan build-tsan build-fuzz

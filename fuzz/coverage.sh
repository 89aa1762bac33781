#!/usr/bin/env bash
# Line coverage of the readers from a fuzz corpus: builds the fuzz targets with clang's
# source coverage in a folder of their own, runs each once over its corpus (no fuzzing)
# and prints llvm-cov's report for the reader sources.
#   fuzz/coverage.sh <coverage build folder> <corpus root: one folder per target>
# e.g. fuzz/coverage.sh build-fuzzcov build-fuzz/corpus
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
src="$here/.."
out="$(realpath -m "$1")"
corpus="$(realpath "$2")"
CC=clang-14 CXX=clang++-14 cmake -S "$src" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORVIX_SANITIZE=fuzzer -DCMAKE_CXX_FLAGS="-fprofile-instr-generate -fcoverage-mapping" \
  -DCMAKE_EXE_LINKER_FLAGS="-fprofile-instr-generate" > /dev/null
targets="bmp_open config config_run stream calibration"
cmake --build "$out" --target $(for t in $targets; do printf 'fuzz_%s ' "$t"; done)
objects=()
for t in $targets; do
  [ -d "$corpus/$t" ] || continue
  LLVM_PROFILE_FILE="$out/$t.profraw" "$out/fuzz/fuzz_$t" -runs=0 -len_control=0 "$corpus/$t" \
    > "$out/$t.run.log" 2>&1
  objects+=(-object "$out/fuzz/fuzz_$t")
done
llvm-profdata-14 merge -sparse "$out"/*.profraw -o "$out/readers.profdata"
llvm-cov-14 report "${objects[@]:1}" -instr-profile="$out/readers.profdata" \
  "$src/files/GreyBmp.cpp" "$src/settings/ConfigFile.cpp" "$src/settings/WorkModes.cpp" \
  "$src/acquisition/Collector.cpp" "$src/acquisition/LineStream.cpp" "$src/display/Calibration.cpp"

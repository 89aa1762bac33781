#pragma once
// Every kernel benchmark reports its time as a ratio to a memcpy that moves as much
// memory as the kernel does. "Bytes" of a kernel = the bytes of the buffer regions it
// reads plus the bytes of the regions it writes (a byte written inside a 5-byte cell
// costs the whole cache line, so a plane touches the whole store). The reference copies
// half that many bytes, so it reads and writes the same total.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

namespace orvix::bench {

// Seconds of one memcpy of `bytes`, best of several, measured in this run.
inline double MemcpySeconds(size_t bytes) {
  static std::vector<char> a, b;
  if (a.size() < bytes) {
    a.assign(bytes, 1);
    b.assign(bytes, 2);
  }
  double best = 1e9;
  for (int i = 0; i < 7; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    std::memcpy(b.data(), a.data(), bytes);
    benchmark::DoNotOptimize(b.data());
    benchmark::ClobberMemory();
    const auto t1 = std::chrono::steady_clock::now();
    best = std::min(best, std::chrono::duration<double>(t1 - t0).count());
  }
  return best;
}

// Runs `f` once per benchmark iteration (manual time) and returns the best time.
template <typename F>
double BestSeconds(benchmark::State& state, F&& f) {
  double best = 1e9;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    benchmark::ClobberMemory();
    const auto t1 = std::chrono::steady_clock::now();
    const double sec = std::chrono::duration<double>(t1 - t0).count();
    state.SetIterationTime(sec);
    best = std::min(best, sec);
  }
  return best;
}

// Sets the counters: bytes moved, the memcpy reference time and the ratio.
inline void Report(benchmark::State& state, double bytesRead, double bytesWritten,
                   double kernelSeconds) {
  const double moved = bytesRead + bytesWritten;
  const double ref = MemcpySeconds(size_t(moved / 2));
  state.counters["MB_moved"] = moved / 1e6;
  state.counters["ms"] = kernelSeconds * 1e3;
  state.counters["memcpy_ms"] = ref * 1e3;
  state.counters["x_memcpy"] = kernelSeconds / ref;
}

}  // namespace orvix::bench

#pragma once
// Timing for the editors' benchmarks.

#include <algorithm>
#include <chrono>

// The best of a few runs, in milliseconds.
template <class F>
double Best(int runs, F&& pass) {
  double best = 1e300;
  for (int r = 0; r < runs; ++r) {
    auto start = std::chrono::steady_clock::now();
    pass();
    std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    best = std::min(best, elapsed.count());
  }
  return best;
}

// The same with Setup run before each pass, outside the time.
template <class S, class F>
double Best(int runs, S&& Setup, F&& pass) {
  double best = 1e300;
  for (int r = 0; r < runs; ++r) {
    Setup();
    auto start = std::chrono::steady_clock::now();
    pass();
    std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    best = std::min(best, elapsed.count());
  }
  return best;
}

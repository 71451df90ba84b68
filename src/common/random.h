#pragma once

#include <cstdint>

// The one process-wide random generator. Seeded from the clock at start-up;
// tests seed it with a fixed value to get repeatable draws.
class Random {
 public:
  static void seed(std::uint32_t value);
  static void seedFromClock();
  // A uniform draw from 0..n-1; 0 when n <= 1.
  static int below(int n);
  // A uniform draw from [0, 1).
  static double unit();
};

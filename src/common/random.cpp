#include "common/random.h"

#include <chrono>
#include <random>

namespace {

std::mt19937& engine() {
  static std::mt19937 gen(static_cast<std::uint32_t>(
      std::chrono::steady_clock::now().time_since_epoch().count()));
  return gen;
}

}  // namespace

void Random::seed(std::uint32_t value) { engine().seed(value); }

void Random::seedFromClock() {
  const auto now = std::chrono::system_clock::now().time_since_epoch().count();
  engine().seed(static_cast<std::uint32_t>(now ^ (now >> 32)));
}

int Random::below(int n) {
  if (n <= 1) return 0;
  std::uniform_int_distribution<int> dist(0, n - 1);
  return dist(engine());
}

double Random::unit() {
  std::uniform_real_distribution<double> dist(0.0, 1.0);
  return dist(engine());
}

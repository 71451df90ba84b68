#include <gtest/gtest.h>

#include <set>

#include "common/random.h"

TEST(Random, SeededDrawsRepeatAndStayInRange) {
  Random::seed(1234);
  std::vector<int> first;
  for (int i = 0; i < 50; ++i) first.push_back(Random::below(6));
  Random::seed(1234);
  std::set<int> seen;
  for (int i = 0; i < 50; ++i) {
    const int v = Random::below(6);
    EXPECT_EQ(v, first[static_cast<size_t>(i)]);
    seen.insert(v);
  }
  EXPECT_EQ(*seen.begin(), 0);
  EXPECT_EQ(*seen.rbegin(), 5);
  EXPECT_EQ(Random::below(1), 0);
  EXPECT_EQ(Random::below(0), 0);
  const double u = Random::unit();
  EXPECT_GE(u, 0.0);
  EXPECT_LT(u, 1.0);
}

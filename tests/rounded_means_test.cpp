// The overview's rounded means against plain integer division, for every
// count the quick dividers take and every sum of up to 255 per pixel.
#include "render/rounded_means.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

namespace kestrova {
namespace {

std::uint64_t Expected(std::uint64_t sum, std::uint64_t count) { return (sum + count / 2) / count; }

TEST(RoundedMeans, EightAtOnceMatchDivisionForEveryCountAndSum) {
  for (std::uint32_t count = 1; count <= EightRoundedDivider::kMostCount; ++count) {
    const EightRoundedDivider mean(count);
    const std::uint32_t largest = 255 * count;
    for (std::uint32_t first = 0; first <= largest; first += 8) {
      EightRoundedDivider::Lanes sums;
      for (std::uint32_t lane = 0; lane < 8; ++lane)
        sums[lane] = static_cast<std::uint16_t>(std::min(first + lane, largest));
      const EightRoundedDivider::Lanes means = mean(sums);
      for (std::uint32_t lane = 0; lane < 8; ++lane) {
        ASSERT_EQ(means[lane], Expected(sums[lane], count)) << "count " << count << " sum " << sums[lane];
      }
    }
  }
}

TEST(RoundedMeans, FourAtOnceAndOneAtATimeMatchDivision) {
  for (std::uint32_t count = 1; count <= FourRoundedDivider::kMostCount; ++count) {
    const FourRoundedDivider four(count);
    const RoundedDivider one(count);
    for (std::uint32_t sum = 0; sum <= 255 * count; sum += 4) {
      const FourLanes sums = {sum, sum + 1, sum + 2, std::min(sum + 3, 255 * count)};
      const FourLanes means = four(sums);
      for (int lane = 0; lane < 4; ++lane) {
        ASSERT_EQ(means[lane], Expected(sums[lane], count)) << "count " << count << " sum " << sums[lane];
        ASSERT_EQ(one(sums[lane]), Expected(sums[lane], count)) << "count " << count << " sum " << sums[lane];
      }
    }
  }
  // Beyond the reciprocal's range: division.
  for (const std::uint64_t count : {std::uint64_t{65535}, std::uint64_t{65536}, std::uint64_t{1000003}}) {
    const RoundedDivider one(count);
    for (const std::uint64_t sum :
         {std::uint64_t{0}, count / 2 - 1, count / 2, 255 * count, 255 * count - count / 2 - 1}) {
      EXPECT_EQ(one(sum), Expected(sum, count)) << count << " " << sum;
    }
  }
}

}  // namespace
}  // namespace kestrova

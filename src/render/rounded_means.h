#pragma once

// Rounded means of pixel sums: sum / count rounded half up, as the level
// overview takes them, one at a time for any sum and count, or four at once
// for the common small counts.

#include <cstdint>

#include "surface/four_pixels.h"

namespace kestrova {

// sum / count rounded half up, for sums of at most 255 * count: below 2^16
// by a multiplication with a 24.40 reciprocal (x * m >> 40 is floor(x / d)
// for x < 2^24 when m = ceil(2^40 / d) and d < 2^16), beyond by division.
class RoundedDivider {
 public:
  explicit RoundedDivider(std::uint64_t count)
      : count_(count), half_(count / 2), reciprocal_(count < kLimit ? ((1ull << 40) + count - 1) / count : 0) {}
  std::uint32_t operator()(std::uint64_t sum) const {
    if (reciprocal_ != 0) return static_cast<std::uint32_t>(((sum + half_) * reciprocal_) >> 40);
    return static_cast<std::uint32_t>((sum + half_) / count_);
  }

 private:
  static constexpr std::uint64_t kLimit = 1u << 16;
  std::uint64_t count_;
  std::uint64_t half_;
  std::uint64_t reciprocal_;
};

// The same for four sums of at most 255 * count each, with 1 <= count <=
// kMostCount, in single precision: y = sum + count / 2 is below 2^16, so it
// and y * (1 / count) come within 2^-15 * 1.0001 of y / count (below 256),
// the nudge of 2^-12 then lifts a whole quotient safely over its integer
// and keeps every other one more than 1 / 256 - 2^-12 - 2^-15 below the
// next, so truncation gives floor(y / count) exactly.
class FourRoundedDivider {
 public:
  static constexpr std::uint32_t kMostCount = 256;

  explicit FourRoundedDivider(std::uint32_t count)
      : half_(FourLanes{} + count / 2), reciprocal_(FourFloats{} + 1.0f / static_cast<float>(count)) {}
  FourLanes operator()(FourLanes sums) const {
    const FourFloats y = __builtin_convertvector(reinterpret_cast<FourInts>(sums + half_), FourFloats);
    return reinterpret_cast<FourLanes>(__builtin_convertvector(y * reciprocal_ + kNudge, FourInts));
  }

 private:
  using FourInts = std::int32_t __attribute__((vector_size(16)));
  using FourFloats = float __attribute__((vector_size(16)));
  static constexpr FourFloats kNudge = {1.0f / 4096, 1.0f / 4096, 1.0f / 4096, 1.0f / 4096};
  FourLanes half_;
  FourFloats reciprocal_;
};

}  // namespace kestrova

#pragma once

// Rounded means of pixel sums: sum / count rounded half up, as the level
// overview takes them, one at a time for any sum and count, or eight at
// once for the common small counts.

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "surface/lanes.h"

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

// Eight sums of at most 255 * count each, 1 <= count <= kMostCount, so that
// y = sum + count / 2 is below 2^16. With 2^s <= count < 2^(s+1): a power
// of two is a shift; otherwise y * m >> (16 + s) with the 16-bit
// m = ceil(2^(16+s) / count) is floor(y / count) whenever y * e < 2^(16+s)
// for e = m * count - 2^(16+s) (the error then stays below the distance to
// the next integer, 1 / count); the few counts where that fails for the
// largest y go through FourRoundedDivider.
class EightRoundedDivider {
 public:
  using Lanes = EightLanes;
  static constexpr std::uint32_t kMostCount = FourRoundedDivider::kMostCount;

  explicit EightRoundedDivider(std::uint32_t count)
      : half_(Lanes{} + static_cast<std::uint16_t>(count / 2)), wide_(count) {
    while ((2u << shift_) <= count) ++shift_;
    if (count == 1u << shift_) {
      way_ = Way::kShift;
      return;
    }
    const std::uint64_t unit = 1ull << (16 + shift_);
    const std::uint64_t multiplier = (unit + count - 1) / count;
    const std::uint64_t largest = 255ull * count + count / 2;
    if (largest * (multiplier * count - unit) < unit) {
      way_ = Way::kMultiply;
      multiplier_ = Lanes{} + static_cast<std::uint16_t>(multiplier);
    }
  }

  Lanes operator()(Lanes sums) const {
    switch (way_) {
      case Way::kShift:
        return (sums + half_) >> shift_;
      case Way::kMultiply:
        return MultiplyHigh(sums + half_, multiplier_) >> shift_;
      case Way::kWide:
        break;
    }
    using FourShorts = std::uint16_t __attribute__((vector_size(8)));
    const FourLanes low = wide_(__builtin_convertvector(__builtin_shufflevector(sums, sums, 0, 1, 2, 3), FourLanes));
    const FourLanes high = wide_(__builtin_convertvector(__builtin_shufflevector(sums, sums, 4, 5, 6, 7), FourLanes));
    const FourShorts lowShorts = __builtin_convertvector(low, FourShorts),
                     highShorts = __builtin_convertvector(high, FourShorts);
    return __builtin_shufflevector(lowShorts, highShorts, 0, 1, 2, 3, 4, 5, 6, 7);
  }

 private:
  enum class Way : std::uint8_t { kShift, kMultiply, kWide };

  // The high halves of the 32-bit products.
  static Lanes MultiplyHigh(Lanes a, Lanes b) {
#if defined(__SSE2__)
    return reinterpret_cast<Lanes>(_mm_mulhi_epu16(reinterpret_cast<__m128i>(a), reinterpret_cast<__m128i>(b)));
#else
    using WideLanes = std::uint32_t __attribute__((vector_size(32)));
    return __builtin_convertvector(
        (__builtin_convertvector(a, WideLanes) * __builtin_convertvector(b, WideLanes)) >> 16, Lanes);
#endif
  }

  Lanes half_;
  Lanes multiplier_{};
  int shift_ = 0;
  Way way_ = Way::kWide;
  FourRoundedDivider wide_;
};

}  // namespace kestrova

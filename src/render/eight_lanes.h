#pragma once

// Eight 16-bit values handled at once, beside FourLanes' four 32-bit ones,
// for the overview's sums of colour values.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "surface/four_pixels.h"

namespace kestrova {

using EightLanes = std::uint16_t __attribute__((vector_size(16)));

inline EightLanes LoadEight(const std::uint16_t* values) {
  EightLanes eight;
  std::memcpy(&eight, values, sizeof eight);
  return eight;
}

inline void StoreEight(std::uint16_t* values, EightLanes eight) { std::memcpy(values, &eight, sizeof eight); }

// Eight bytes widened to 16 bits.
inline EightLanes WidenEight(const std::uint8_t* values) {
  using EightBytes = std::uint8_t __attribute__((vector_size(8)));
  EightBytes bytes;
  std::memcpy(&bytes, values, sizeof bytes);
  return __builtin_convertvector(bytes, EightLanes);
}

// Lanes 0..3 (half 0) or 4..7 (half 1) widened to 32 bits.
inline FourLanes WidenHalf(EightLanes eight, std::size_t half) {
  using FourShorts = std::uint16_t __attribute__((vector_size(8)));
  const FourShorts four = half == 0 ? __builtin_shufflevector(eight, eight, 0, 1, 2, 3)
                                    : __builtin_shufflevector(eight, eight, 4, 5, 6, 7);
  return __builtin_convertvector(four, FourLanes);
}

// into[i] += from[i] for i < count, modulo 2^16.
inline void AddEightLanes(std::uint16_t* into, const std::uint16_t* from, std::size_t count) {
  std::size_t i = 0;
  for (; i + 8 <= count; i += 8) StoreEight(into + i, LoadEight(into + i) + LoadEight(from + i));
  for (; i < count; ++i) into[i] = static_cast<std::uint16_t>(into[i] + from[i]);
}

}  // namespace kestrova

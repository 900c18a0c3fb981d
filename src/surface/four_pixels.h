#pragma once

// Four 32-bit values handled at once, through the GCC and Clang vector
// extensions (plain code where the target has no vector unit), for the
// loops over pixels and pixel sums that the compiler would not widen itself.

#include <cstdint>
#include <cstring>

namespace kestrova {

using FourLanes = std::uint32_t __attribute__((vector_size(16)));

inline FourLanes LoadFour(const std::uint32_t* values) {
  FourLanes four;
  std::memcpy(&four, values, sizeof four);
  return four;
}

inline void StoreFour(std::uint32_t* values, FourLanes four) { std::memcpy(values, &four, sizeof four); }

// into[i] += from[i] for i < count.
inline void AddLanes(std::uint32_t* into, const std::uint32_t* from, std::size_t count) {
  std::size_t i = 0;
  for (; i + 4 <= count; i += 4) StoreFour(into + i, LoadFour(into + i) + LoadFour(from + i));
  for (; i < count; ++i) into[i] += from[i];
}

}  // namespace kestrova

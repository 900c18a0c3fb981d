#pragma once

// Four 32-bit or eight 16-bit values handled at once, through the GCC and
// Clang vector extensions (plain code where the target has no vector unit),
// for the loops over pixels and colour sums that the compiler would not widen
// itself.

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace kestrova {

using FourLanes = std::uint32_t __attribute__((vector_size(16)));
using EightLanes = std::uint16_t __attribute__((vector_size(16)));

// The lanes at `values`, which need no alignment.
template <typename Lanes, typename Value>
inline Lanes LoadLanes(const Value* values) {
  Lanes lanes;
  std::memcpy(&lanes, values, sizeof lanes);
  return lanes;
}

template <typename Lanes, typename Value>
inline void StoreLanes(Value* values, Lanes lanes) {
  std::memcpy(values, &lanes, sizeof lanes);
}

inline FourLanes LoadFour(const std::uint32_t* values) { return LoadLanes<FourLanes>(values); }
inline void StoreFour(std::uint32_t* values, FourLanes four) { StoreLanes(values, four); }
inline EightLanes LoadEight(const std::uint16_t* values) { return LoadLanes<EightLanes>(values); }
inline void StoreEight(std::uint16_t* values, EightLanes eight) { StoreLanes(values, eight); }

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
  const FourShorts four =
      half == 0 ? __builtin_shufflevector(eight, eight, 0, 1, 2, 3) : __builtin_shufflevector(eight, eight, 4, 5, 6, 7);
  return __builtin_convertvector(four, FourLanes);
}

// into[i] += from[i] for i < count, modulo 2^16.
inline void AddEightLanes(std::uint16_t* into, const std::uint16_t* from, std::size_t count) {
  std::size_t i = 0;
  for (; i + 8 <= count; i += 8) StoreEight(into + i, LoadEight(into + i) + LoadEight(from + i));
  for (; i < count; ++i) into[i] = static_cast<std::uint16_t>(into[i] + from[i]);
}

}  // namespace kestrova

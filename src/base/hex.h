#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace kestrova {

// `value` in upper-case hexadecimal, at least `digits` digits: Hex(0xFA00, 4) is "FA00".
inline std::string Hex(std::uint32_t value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*X", digits, static_cast<unsigned>(value));
  return text;
}

// A Spectrum address as the listings write it: "$9308".
inline std::string AddressText(std::uint32_t address) { return "$" + Hex(address, 4); }

}  // namespace kestrova

#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "demo/demo_memory.h"

namespace kestrova::demo {

// One two-byte record of a level: the object code and its operand.
struct Record {
  std::uint8_t code = 0;
  std::uint8_t operand = 0;
};

using Records = std::vector<Record>;

struct DemoLevel {
  std::string_view name;
  Records records;  // ends with the end record (22 01)
};

// The demo game's levels, level 1 first.
std::vector<DemoLevel> DemoLevels();

// The level stream: every level's records, then the end-of-levels marker.
std::vector<std::uint8_t> DemoLevelStream();

// Writes the level stream from the start of the level area; the rest of the
// area stays free. Throws DemoMemoryConflict when the stream does not fit.
void WriteDemoLevels(DemoMemory& memory);

}  // namespace kestrova::demo

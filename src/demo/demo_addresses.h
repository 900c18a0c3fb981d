#pragma once

#include <cstdint>

// The game's addresses the editor reads (sprite starts, colour bytes, glyphs)
// live in render/object_addresses.h and render/render_addresses.h; the demo
// game puts its own bytes at exactly those places. Only what belongs to the
// demo itself is here.
#include "render/object_addresses.h"
#include "render/render_addresses.h"

namespace kestrova::demo {

// Palette sample records: the palette draws each picture from a record at
// one of these addresses and reads the operand from the byte after it.
constexpr std::uint32_t kSampleRecordsStart = 0x98CF;
constexpr std::uint32_t kSampleRecordsEnd = 0xA0CF;

// Where the demo game's code loop sits and where its stack is.
constexpr std::uint32_t kCodeLoop = 0x7A92;  // EI; HALT; JR back (HALT is the recognition byte)
constexpr std::uint32_t kStackPointer = 0x7000;

}  // namespace kestrova::demo

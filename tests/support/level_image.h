#pragma once

#include <cstdint>
#include <vector>

#include "editor/editor_state.h"
#include "level/level_addresses.h"
#include "snapshot/snapshot_image.h"

namespace kestrova::testing {

// A 48K image with `stream` at the level area and a character set whose
// glyph bytes all differ from their neighbours' (byte at A is A's low byte
// XOR 0x5A, never 0), so a label or banner shows which glyph went where.
inline SnapshotImage LevelImage(const std::vector<std::uint8_t>& stream) {
  SnapshotImage image(std::vector<std::uint8_t>(kSnapshotSize48K, 0));
  for (std::uint32_t a = 0x7EA0; a <= 0x7FFF; ++a) {
    const auto value = static_cast<std::uint8_t>((a & 0xFF) ^ 0x5A);
    image.Write(a, value == 0 ? 0x01 : value);
  }
  for (std::size_t i = 0; i < stream.size(); ++i) {
    image.Write(kLevelAreaStart + static_cast<std::uint32_t>(i), stream[i]);
  }
  return image;
}

// The glyph byte LevelImage puts at address a.
inline std::uint8_t GlyphByte(std::uint32_t a) {
  const auto value = static_cast<std::uint8_t>((a & 0xFF) ^ 0x5A);
  return value == 0 ? 0x01 : value;
}

// The state a refresh of the level [start, end] at `scroll` works from.
inline EditorState LevelState(std::uint32_t start, std::uint32_t end, std::int32_t scroll = 0) {
  EditorState state;
  state.place.levelStart = start;
  state.place.levelEnd = end;
  state.walk.walkStart = start;
  state.walk.streamCursor = static_cast<std::int32_t>(start);
  state.place.scrollOffset = scroll;
  return state;
}

}  // namespace kestrova::testing

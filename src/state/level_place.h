#pragma once

#include <cstddef>
#include <cstdint>

namespace kestrova {

// Which level the editor shows and where, and what the loaded file said.
// The Editor alone writes these; the renderer and the edits get them as
// const. Addresses are Spectrum addresses into the SnapshotImage.
struct LevelPlace {
  std::uint32_t levelStart = 0;
  std::uint32_t levelEnd = 0;
  std::int32_t scrollOffset = 0;
  std::int32_t savedScrollOffset = 0;
  std::int32_t bytesFree = 0;
  int currentLevelIndex = 0;  // the level chooser's index; level i + 1
  std::size_t snapshotSize = 0;
  bool loadedFromSzx = false;
  bool loadedScreen = false;

  bool operator==(const LevelPlace&) const = default;
};

}  // namespace kestrova

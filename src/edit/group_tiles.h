#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

namespace kestrova {

// Tiles of the fortress gates, the tunnel bands and bridge, and the log
// crossing and its water: these groups are never dragged, nothing is dragged
// over them and no two-byte object is dropped on them.
inline constexpr std::array<std::uint32_t, 10> kFortressTunnelAndCrossingTiles = {33, 114, 115, 116, 150,
                                                                                  13, 14,  25,  147, 152};
constexpr bool IsFortressTunnelOrCrossingTile(std::uint32_t tile) {
  return std::find(kFortressTunnelAndCrossingTiles.begin(), kFortressTunnelAndCrossingTiles.end(), tile) !=
         kFortressTunnelAndCrossingTiles.end();
}

}  // namespace kestrova

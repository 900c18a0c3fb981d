#pragma once

#include "render/drawer.h"

namespace kestrova {

// The drawers of the records that shape the level rather than draw game
// graphics: land space (code 0), the spawn point / end label (34) and the
// alarm switch (39). Called with the stream cursor on the record; each
// advances it by 2.
void DrawLandSpace(DrawContext& context);
void DrawSpawnPoint(DrawContext& context);
void DrawAlarmSwitch(DrawContext& context);

// What the look-back at the records 1, 3 and 5 before a land-space record
// finds, and how the band is marked.
struct LandSpaceMarking {
  bool tunnel = false;
  bool crossing = false;
  bool wholeTunnelBand = false;  // tile 116 across the band
  std::uint32_t owner = 0;       // the tunnel or log-crossing record
};
LandSpaceMarking LookBack(const SnapshotImage& image, std::uint32_t record, int operand);

}  // namespace kestrova

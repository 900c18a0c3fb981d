#pragma once

#include "snapshot/snapshot_image.h"

namespace kestrova {

enum class DemoMachine { Spectrum48K, Spectrum128K };

// The demo game: a synthetic Kestrova snapshot with the team's own graphics
// and levels. Deterministic: the same bytes on every run.
SnapshotImage MakeDemoSnapshot(DemoMachine machine);

}  // namespace kestrova

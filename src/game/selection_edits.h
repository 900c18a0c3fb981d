#pragma once

#include <cstdint>
#include <vector>

#include "base/result.h"
#include "edit/deletes.h"
#include "game/level_records.h"
#include "snapshot/snapshot_image.h"

namespace kestrova {

struct UnitsDeleted {
  int removed = 0;               // bytes
  bool fortressRemoved = false;  // the level and the next became one
};

// Removes the objects of the current level (in level order), each as its
// popup's delete would: a log crossing, a tunnel and a fortress by their
// group deletes, every other group record by record. Either every object
// goes or, with the reason of the first that cannot, nothing does.
Result<UnitsDeleted> DeleteUnits(SnapshotImage& image, const std::vector<LevelUnit>& units, LevelBounds level);

}  // namespace kestrova

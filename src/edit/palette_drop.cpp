#include "edit/palette_drop.h"

#include <algorithm>

#include "edit/drag_step.h"
#include "edit/palette_tables.h"
#include "edit/properties_rules.h"

namespace kestrova {

std::optional<int> TagOfSlot(int slot, const PropertiesOptions& options) {
  const PalettePicture* picture = PictureOfSlot(slot);
  if (!picture) return std::nullopt;
  if (picture->tab) return TagOfTab(*picture->tab, options);
  return picture->tag;
}

bool DropAccepted(int tag, const DropTarget& target) {
  if (target.bytesFree <= 0 || target.record == 0) return false;
  for (const GroupDrop& group : kGroupDrops) {
    if (std::find(group.tags.begin(), group.tags.end(), tag) == group.tags.end()) continue;
    return target.bytesFree > group.moreThan && (!group.needsUnusedLastLevel || target.lastLevelUnused);
  }
  return target.bytesFree >= kTwoByteDropMinimum && !IsFortressTunnelOrCrossingTile(target.tile);
}

}  // namespace kestrova

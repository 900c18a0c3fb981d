#include "edit/palette_drop.h"

#include <algorithm>
#include <string>

#include "edit/drag_step.h"
#include "edit/insertion.h"
#include "edit/palette_tables.h"
#include "edit/properties_rules.h"

namespace kestrova {

std::optional<int> TagOfSlot(int slot, const PropertiesOptions& options) {
  const PalettePicture* picture = PictureOfSlot(slot);
  if (!picture) return std::nullopt;
  if (picture->tab) return TagOfTab(*picture->tab, options);
  return picture->tag;
}

Outcome DropAccepted(int tag, const DropTarget& target) {
  const GroupDrop* group = nullptr;
  for (const GroupDrop& drop : kGroupDrops) {
    if (std::find(drop.tags.begin(), drop.tags.end(), tag) != drop.tags.end()) group = &drop;
  }
  const std::int32_t needed = group ? group->moreThan + 1 : kTwoByteDropMinimum;
  if (target.bytesFree < needed) return Error{TooFewBytesReason(tag, needed, target.bytesFree)};
  if (target.record == 0) return Error{"there is no record under the pointer"};
  if (group) {
    if (group->needsUnusedLastLevel && !target.lastLevelUnused)
      return Error{"a fortress adds a level, and the level table is full"};
    return Outcome::Done();
  }
  if (IsFortressTunnelOrCrossingTile(target.tile))
    return Error{std::string(InsertionCaption(tag)) + " cannot go on a fortress, tunnel or log crossing"};
  return Outcome::Done();
}

}  // namespace kestrova

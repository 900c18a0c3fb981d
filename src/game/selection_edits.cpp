#include "game/selection_edits.h"

#include "edit/insertion.h"
#include "level/level_stream.h"
#include "level/level_table.h"

namespace kestrova {

namespace {

Result<int> DeleteUnit(SnapshotImage& image, const LevelUnit& unit, LevelBounds level) {
  const MenuCommand command = unit.group ? unit.group->command : MenuCommand::None;
  switch (command) {
    case MenuCommand::InsertLogCrossing:
      return DeleteRiverCrossingGroup(image, unit.start, level);
    case MenuCommand::InsertTunnelWithoutMotorbike:
    case MenuCommand::InsertTunnelWithMotorbike:
      return DeleteTunnelGroup(image, unit.start, static_cast<int>(unit.size), level);
    case MenuCommand::InsertFortress:
      return DeleteFortressGroup(image, unit.start, level);
    default:
      break;
  }
  // A lone record, or a group the popups take apart record by record.
  int removed = 0;
  for (std::uint32_t p = unit.start + unit.size; p > unit.start;) {
    p -= kRecordSize;
    const Result<int> one = DeletePlainRecord(image, p, level);
    if (!one) return one;
    removed += *one;
    level.end -= static_cast<std::uint32_t>(*one);
  }
  return removed;
}

}  // namespace

Result<UnitsDeleted> DeleteUnits(SnapshotImage& image, const std::vector<LevelUnit>& units, LevelBounds level) {
  const SnapshotImage before = image;
  UnitsDeleted done;
  // From the last object back, so that the ones before keep their places.
  for (auto unit = units.rbegin(); unit != units.rend(); ++unit) {
    const Result<int> removed = DeleteUnit(image, *unit, level);
    if (!removed) {
      image = before;
      return Error{removed.ErrorMessage()};
    }
    done.removed += *removed;
    if (unit->group && IsFortressTag(unit->group->tag)) {
      // The fortress's end record went with it: the level now ends where the next one did.
      done.fortressRemoved = true;
      const LevelTable table = ScanLevelTable(image);
      for (int i = 0; i < LevelCount(table); ++i) {
        if (table[static_cast<std::size_t>(i)] != level.start) continue;
        if (const auto end = LevelEndByBoundsRule(image, table, i)) level.end = *end;
      }
    } else {
      level.end -= static_cast<std::uint32_t>(*removed);
    }
  }
  return done;
}

}  // namespace kestrova

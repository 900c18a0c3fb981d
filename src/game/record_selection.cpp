#include "game/record_selection.h"

#include <algorithm>

#include "game/record_script.h"
#include "render/map_geometry.h"

namespace kestrova {

namespace {

bool Before(const LevelUnit& a, const LevelUnit& b) { return a.start < b.start; }

}  // namespace

const LevelUnit* UnitHolding(const std::vector<LevelUnit>& level, std::uint32_t address) {
  for (const LevelUnit& unit : level) {
    if (address >= unit.start && address < unit.start + unit.size) return &unit;
  }
  return nullptr;
}

int RecordSelection::Bytes() const {
  int bytes = 0;
  for (const LevelUnit& unit : units_) bytes += static_cast<int>(unit.size);
  return bytes;
}

bool RecordSelection::Holds(std::uint32_t address) const { return UnitHolding(units_, address) != nullptr; }

std::string RecordSelection::Summary() const { return Empty() ? std::string() : CountText(Objects(), Bytes()); }

bool RecordSelection::Toggle(const std::vector<LevelUnit>& level, std::uint32_t address) {
  const LevelUnit* unit = UnitHolding(level, address);
  if (!unit) return false;
  const auto in =
      std::find_if(units_.begin(), units_.end(), [&](const LevelUnit& u) { return u.start == unit->start; });
  if (in != units_.end()) {
    units_.erase(in);
  } else {
    units_.insert(std::upper_bound(units_.begin(), units_.end(), *unit, Before), *unit);
  }
  return true;
}

void RecordSelection::Add(const std::vector<LevelUnit>& level, const std::vector<std::uint32_t>& addresses) {
  for (const std::uint32_t address : addresses) {
    const LevelUnit* unit = UnitHolding(level, address);
    if (!unit || Holds(unit->start)) continue;
    units_.insert(std::upper_bound(units_.begin(), units_.end(), *unit, Before), *unit);
  }
}

std::vector<Rect> SelectionOutline(const RecordSelection& selection, const CellGrid& grid, const ScreenTables& tables) {
  std::vector<Rect> rects;
  if (selection.Empty()) return rects;
  // Rectangles still open at the row above, to be carried down by an equal run.
  std::vector<std::size_t> open;
  for (int row = 0; row < kScreenRows; ++row) {
    std::vector<std::size_t> next;
    for (int column = 0; column < kScreenColumns;) {
      const auto taken = [&](int c) {
        const std::uint32_t cell = tables.rowStart[static_cast<std::size_t>(row)] + static_cast<std::uint32_t>(c);
        return (grid.tileId[cell] != 0 && selection.Holds(grid.ownerPos[cell])) ||
               (grid.landPos[cell] != 0 && selection.Holds(grid.landPos[cell]));
      };
      if (!taken(column)) {
        ++column;
        continue;
      }
      int end = column;
      while (end < kScreenColumns && taken(end)) ++end;
      const Rect run{column * kMapPixelsPerColumn, row * kMapPixelsPerRow, (end - column) * kMapPixelsPerColumn,
                     kMapPixelsPerRow};
      const auto above = std::find_if(
          open.begin(), open.end(), [&](std::size_t i) { return rects[i].x == run.x && rects[i].width == run.width; });
      if (above != open.end()) {
        rects[*above].height += kMapPixelsPerRow;
        next.push_back(*above);
      } else {
        rects.push_back(run);
        next.push_back(rects.size() - 1);
      }
      column = end;
    }
    open = std::move(next);
  }
  return rects;
}

std::vector<std::uint32_t> RecordsDrawnInBand(const CellGrid& grid, const ScreenTables& tables, int x0, int y0, int x1,
                                              int y1) {
  const auto column = [](int x) { return std::clamp(ColumnOfMapX(std::max(x, 0)), 0, kScreenColumns - 1); };
  const auto row = [](int y) { return std::clamp(RowOfMapY(std::max(y, 0)), 0, kScreenRows - 1); };
  std::vector<std::uint32_t> records;
  for (int r = row(std::min(y0, y1)); r <= row(std::max(y0, y1)); ++r) {
    for (int c = column(std::min(x0, x1)); c <= column(std::max(x0, x1)); ++c) {
      const std::uint32_t cell = tables.rowStart[static_cast<std::size_t>(r)] + static_cast<std::uint32_t>(c);
      if (grid.tileId[cell] != 0 && grid.ownerPos[cell] != 0) records.push_back(grid.ownerPos[cell]);
    }
  }
  return records;
}

}  // namespace kestrova

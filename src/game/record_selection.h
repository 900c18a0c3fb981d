#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/level_records.h"
#include "render/cell_grid.h"
#include "render/screen_tables.h"
#include "surface/fast_dib.h"

namespace kestrova {

// The objects chosen in the current level, in level order, each a whole
// group or one record. Kept by their place in the level: any change of the
// level's records (an edit, an undo) or of the level shown clears it, so it
// never names records that moved.
class RecordSelection {
 public:
  bool Empty() const { return units_.empty(); }
  const std::vector<LevelUnit>& Units() const { return units_; }
  int Objects() const { return static_cast<int>(units_.size()); }
  int Bytes() const;
  // Whether the record at `address` belongs to a chosen object.
  bool Holds(std::uint32_t address) const;
  // "3 objects, 8 bytes"; empty when nothing is chosen.
  std::string Summary() const;

  // The object of `level` that holds the record at `address` joins the
  // selection, or leaves it when it is in; false when no object holds it.
  bool Toggle(const std::vector<LevelUnit>& level, std::uint32_t address);
  // The objects of `level` that hold any of the records join.
  void Add(const std::vector<LevelUnit>& level, const std::vector<std::uint32_t>& addresses);
  void SetAll(const std::vector<LevelUnit>& level) { units_ = level; }
  void Clear() { units_.clear(); }

 private:
  std::vector<LevelUnit> units_;
};

// The object of `level` that holds the record at `address`, if any.
const LevelUnit* UnitHolding(const std::vector<LevelUnit>& level, std::uint32_t address);

// The cells of a grid the chosen objects take, as rectangles in map-view
// pixels (512 x 384): each cell one of them drew, and every cell of a land
// space's band when that land space is chosen. Runs of cells on a row are
// one rectangle, and equal runs on the rows below it join it.
std::vector<Rect> SelectionOutline(const RecordSelection& selection, const CellGrid& grid, const ScreenTables& tables);

// The records that drew the cells under the rubber band from map-view pixel
// (x0, y0) to (x1, y1), either corner first, kept within the view.
std::vector<std::uint32_t> RecordsDrawnInBand(const CellGrid& grid, const ScreenTables& tables, int x0, int y0, int x1,
                                              int y1);

}  // namespace kestrova

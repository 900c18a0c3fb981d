#include "render/cell_grid.h"

namespace kestrova {

void ClearCellGrid(CellGrid& grid) {
  grid.tileId.fill(0);
  grid.ownerPos.fill(0);
  grid.landPos.fill(0);
}

}  // namespace kestrova

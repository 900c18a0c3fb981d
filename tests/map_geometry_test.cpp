#include "render/map_geometry.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

TEST(MapGeometry, EveryCellRoundTripsThroughItsPixelsAndEndsWhereTheNextBegins) {
  for (int row = 0; row < kWindowRows; ++row) {
    for (int column = 0; column < kScreenColumns; ++column) {
      const MapCell cell{column, row};
      const MapPixel first = MapPixelOfCell(cell);
      const MapPixel last{first.x + kMapPixelsPerColumn - 1, first.y + kMapPixelsPerRow - 1};
      ASSERT_TRUE(IsInMapView(first.x, first.y) && IsInMapView(last.x, last.y)) << column << "," << row;
      ASSERT_EQ(CellOfMapPixel(first.x, first.y), cell);
      ASSERT_EQ(CellOfMapPixel(last.x, last.y), cell);
      if (column + 1 < kScreenColumns) {
        ASSERT_EQ(MapPixelOfCell({column + 1, row}).x, last.x + 1);
      }
      if (row + 1 < kWindowRows) {
        ASSERT_EQ(MapPixelOfCell({column, row + 1}).y, last.y + 1);
      }
    }
  }
  // The last cell ends at the view's last pixel.
  EXPECT_EQ(CellOfMapPixel(kMapViewWidth - 1, kMapViewHeight - 1), (MapCell{kScreenColumns - 1, kWindowRows - 1}));
}

TEST(MapGeometry, TheViewsEdges) {
  struct Case {
    int x, y;
    bool inView;
  };
  for (const Case& c : {Case{0, 0, true}, Case{511, 383, true}, Case{-1, 0, false}, Case{0, -1, false},
                        Case{512, 0, false}, Case{0, 384, false}, Case{511, 384, false}}) {
    EXPECT_EQ(IsInMapView(c.x, c.y), c.inView) << c.x << "," << c.y;
  }
  EXPECT_TRUE(IsOutOfView(-1));
  EXPECT_FALSE(IsOutOfView(383));
  EXPECT_TRUE(IsOutOfView(384));
}

}  // namespace
}  // namespace kestrova

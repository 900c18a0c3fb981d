// The palette strip wrapped into rows: every strip pixel shows once, no
// picture is cut, and a pixel of the rows names the strip pixel it shows.
#include <gtest/gtest.h>

#include <vector>

#include "edit/palette_rows.h"
#include "edit/palette_tables.h"

namespace kestrova {
namespace {

// Where each strip column shows in the rows: {row, x}; {-1, -1} where nowhere.
std::vector<std::pair<int, int>> PlacesOfColumns(const PaletteRows& rows) {
  std::vector<std::pair<int, int>> places(kPaletteStripWidth, {-1, -1});
  for (int row = 0; row < rows.Rows(); ++row) {
    for (int x = 0; x < rows.Width(); ++x) {
      const int stripX = rows.StripXAt(x, row * kPaletteStripHeight + 17);
      if (stripX < 0) continue;
      EXPECT_EQ(places[static_cast<std::size_t>(stripX)], std::make_pair(-1, -1)) << "column " << stripX << " twice";
      places[static_cast<std::size_t>(stripX)] = {row, x};
    }
  }
  return places;
}

TEST(PaletteRows, OneRowIsTheStripItself) {
  const PaletteRows rows;
  EXPECT_EQ(rows.Rows(), 1);
  EXPECT_EQ(rows.Width(), kPaletteStripWidth);
  EXPECT_EQ(rows.Height(), kPaletteStripHeight);
  EXPECT_EQ(rows.StripXAt(0, 0), 0);
  EXPECT_EQ(rows.StripXAt(1023, 39), 1023);
  EXPECT_EQ(rows.StripXAt(1024, 0), -1);
  EXPECT_EQ(rows.StripXAt(5, 40), -1);
  EXPECT_EQ(rows.StripXAt(5, -1), -1);
  EXPECT_EQ(PaletteRows(5000), rows);
}

TEST(PaletteRows, EveryColumnShowsOnceAndNoPictureIsCut) {
  for (const int width : {1023, 800, 700, 600, 512, 300, 200, 96, 10}) {
    SCOPED_TRACE("width " + std::to_string(width));
    const PaletteRows rows(width);
    EXPECT_LE(rows.Width(), std::max(width, 96));  // the widest piece: slots 24-26, whose pictures overlap
    EXPECT_GT(rows.Rows(), 1);
    const auto places = PlacesOfColumns(rows);
    for (int x = 0; x < kPaletteStripWidth; ++x) EXPECT_NE(places[static_cast<std::size_t>(x)].first, -1) << x;
    // Each picture's columns stand side by side in one row.
    for (const PalettePicture& picture : kPalettePictures) {
      for (int i = 0; i < picture.rectangles; ++i) {
        const Rect& place = picture.destination[static_cast<std::size_t>(i)];
        const auto first = places[static_cast<std::size_t>(place.x)];
        for (int x = place.x; x < place.x + place.width; ++x) {
          EXPECT_EQ(places[static_cast<std::size_t>(x)], std::make_pair(first.first, first.second + x - place.x))
              << "picture of slot " << picture.firstSlot << " cut at " << x;
        }
      }
    }
    // The strip's order, row after row.
    for (int x = 1; x < kPaletteStripWidth; ++x) {
      EXPECT_GE(places[static_cast<std::size_t>(x)].first, places[static_cast<std::size_t>(x - 1)].first);
    }
  }
  // Rows as few as fit, evened out: 1024 pixels in two rows of at most 600.
  EXPECT_EQ(PaletteRows(600).Rows(), 2);
  EXPECT_LE(PaletteRows(600).Width(), 544);
  EXPECT_EQ(PaletteRows(1000).Rows(), 2);
}

TEST(PaletteRows, WrappedPixelsAreTheStripsPixels) {
  TFastDIB strip(kPaletteStripWidth, kPaletteStripHeight);
  for (int y = 0; y < kPaletteStripHeight; ++y) {
    for (int x = 0; x < kPaletteStripWidth; ++x) strip.RowTop(y)[x] = static_cast<Pixel>(1 + x + 4096 * y);
  }
  const PaletteRows rows(450);
  TFastDIB wrapped;
  rows.Wrap(strip, wrapped);
  ASSERT_EQ(wrapped.Width(), rows.Width());
  ASSERT_EQ(wrapped.Height(), rows.Height());
  for (int y = 0; y < rows.Height(); ++y) {
    for (int x = 0; x < rows.Width(); ++x) {
      const int stripX = rows.StripXAt(x, y);
      const Pixel want = stripX < 0 ? 0 : strip.RowTop(y % kPaletteStripHeight)[stripX];
      ASSERT_EQ(wrapped.RowTop(y)[x], want) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace kestrova

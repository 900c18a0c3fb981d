#include "edit/palette_drawing.h"

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "editor/editor.h"
#include "render/palette_colours.h"
#include "support/editor_state_access.h"
#include "support/memory_files.h"
#include "support/png_image.h"
#include "support/scripted_ui.h"

namespace kestrova {
namespace {

const std::string kDemoPath = std::string(KESTROVA_DEMO_DIR) + "/kestrova-demo.sna";
const std::string kGoldenPath = std::string(KESTROVA_TEST_DATA) + "/palette_strip.png";

constexpr std::uint32_t RedOf(Pixel p) { return (p >> 16) & 0xFF; }
constexpr std::uint32_t GreenOf(Pixel p) { return (p >> 8) & 0xFF; }

class DemoPalette : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto bytes = testing::ReadFileBytes(kDemoPath);
    ASSERT_TRUE(bytes) << kDemoPath;
    files.files[kDemoPath] = *bytes;
    ui.fileAnswers.push_back(kDemoPath);
    editor.LoadSnapshot();
    ASSERT_TRUE(editor.HasSnapshot());
  }
  RenderTarget Target() {
    return RenderTarget{editor.Image(),
                        testing::WritableState(editor).place,
                        testing::WritableState(editor).walk,
                        editor.Grid(),
                        editor.Tables(),
                        editor.MapBitmap()};
  }

  testing::ScriptedUi ui;
  testing::MemoryFiles files;
  Editor editor{ui, files};
};

// The demo's strip, pixel for pixel. With KESTROVA_UPDATE_GOLDEN set the
// picture is written instead (and the test fails, so that it is looked at).
TEST_F(DemoPalette, StripMatchesTheGoldenPicture) {
  const testing::TopDownPicture strip = testing::PictureOf(editor.PaletteBitmap());
  ASSERT_EQ(strip.width, 1024);
  ASSERT_EQ(strip.height, 40);
  for (const std::string& mismatch : testing::GoldenPictureMismatches(strip, kGoldenPath)) ADD_FAILURE() << mismatch;
}

TEST_F(DemoPalette, TheFixUpsOfTheStrip) {
  const TFastDIB& strip = editor.PaletteBitmap();
  // Barracks: nothing without green is left but blue.
  for (int y = 0; y < 40; ++y) {
    for (int x = 576; x < 608; ++x) {
      const Pixel p = strip.PixelAtTop(x, y);
      if (GreenOf(p) == 0) {
        EXPECT_EQ(p, kPaletteBlue) << x << ", " << y;
      }
    }
  }
  // The log crossing's water: no black or yellow left between the slots.
  for (int y = 0; y < 40; ++y) {
    for (int x = 896; x < 928; ++x) {
      const Pixel p = strip.PixelAtTop(x, y);
      const bool blackOrYellow = RedOf(p) == GreenOf(p) && (GreenOf(p) == 0 || GreenOf(p) == 0xCA);
      EXPECT_FALSE(blackOrYellow) << x << ", " << y;
    }
  }
  // Slots 22-27 stand on yellow where no picture is stretched: above and
  // below the spawn point's two lines, and between alarm and prisoner.
  for (int x = 704; x < 736; ++x) {
    for (int y : {0, 4, 37, 39}) EXPECT_EQ(strip.PixelAtTop(x, y), kPaletteYellow) << x << ", " << y;
  }
  for (int x = 768; x < 776; ++x) {
    for (int y = 0; y < 40; ++y) EXPECT_EQ(strip.PixelAtTop(x, y), kPaletteYellow) << x << ", " << y;
  }
}

TEST_F(DemoPalette, TheLoadLeavesNormalDrawingBehind) {
  const EditorState& state = editor.State();
  EXPECT_FALSE(state.walk.previewMode);
  EXPECT_EQ(state.walk.conversion.lastRow, 191);
  EXPECT_EQ(state.walk.conversion.firstColumn, 0);
  EXPECT_EQ(state.walk.conversion.lastColumn, 31);
  EXPECT_EQ(state.walk.previewColumns.prisonerFigures, PreviewColumns{}.prisonerFigures);
  EXPECT_EQ(state.walk.previewColumns.rocketMarker, PreviewColumns{}.rocketMarker);
  EXPECT_EQ(editor.MapBitmap().Width(), 256);
  EXPECT_EQ(editor.MapBitmap().Height(), 192);
}

// Every drag picture: its size, the black border all round, something of
// the object inside, and the normal drawing state afterwards.
TEST_F(DemoPalette, EveryDragPictureAtItsSizeWithItsBorder) {
  RenderTarget target = Target();
  for (const DragPictureRow& row : kDragPictures) {
    TFastDIB picture;
    DrawDragPicture(target, row, picture);
    ASSERT_EQ(picture.Width(), row.width) << row.tag;
    ASSERT_EQ(picture.Height(), row.height) << row.tag;
    for (int x = 0; x < row.width; ++x) {
      EXPECT_EQ(picture.PixelAtTop(x, 0), 0u) << row.tag;
      EXPECT_EQ(picture.PixelAtTop(x, row.height - 1), 0u) << row.tag;
    }
    for (int y = 0; y < row.height; ++y) {
      EXPECT_EQ(picture.PixelAtTop(0, y), 0u) << row.tag;
      EXPECT_EQ(picture.PixelAtTop(row.width - 1, y), 0u) << row.tag;
    }
    // Doubled: inside the border every pixel repeats in 2 x 2 blocks.
    for (int y = 2; y + 1 < row.height - 1; y += 2) {
      for (int x = 2; x + 1 < row.width - 1; x += 2) {
        const Pixel p = picture.PixelAtTop(x, y);
        ASSERT_EQ(picture.PixelAtTop(x + 1, y + 1), p) << row.tag << " at " << x << ", " << y;
      }
    }
    EXPECT_FALSE(editor.Walk().previewMode);
    EXPECT_EQ(editor.Walk().conversion.lastRow, 191);
    EXPECT_EQ(editor.Walk().conversion.lastColumn, 31);
    EXPECT_EQ(editor.Walk().conversion.baseRow, 191);
    EXPECT_EQ(editor.Walk().previewColumns.prisonerFigures, PreviewColumns{}.prisonerFigures);
    EXPECT_EQ(editor.Walk().previewColumns.rocketMarker, PreviewColumns{}.rocketMarker);
    EXPECT_FALSE(editor.Walk().largeHut);
    EXPECT_EQ(editor.MapBitmap().Width(), 256);
    EXPECT_EQ(editor.MapBitmap().Height(), 192);
  }
}

// The drawings that need more than a drawer: the large hut's side columns,
// the prisoners at the drag columns, the crossing's two strips on yellow.
TEST_F(DemoPalette, DragPicturesWithTheirOwnSettings) {
  RenderTarget target = Target();
  const auto columnHasInk = [](const TFastDIB& picture, int column) {
    for (int y = 1; y < picture.Height() - 1; ++y) {
      for (int x = 16 * column + 1; x < 16 * column + 15 && x < picture.Width() - 1; ++x) {
        const Pixel p = picture.PixelAtTop(x, y);
        if (p != kPaletteYellow) return true;
      }
    }
    return false;
  };
  TFastDIB small, large;
  DrawDragPicture(target, *DragPictureOfTag(26), small);
  DrawDragPicture(target, *DragPictureOfTag(27), large);
  EXPECT_EQ(large.Width(), 128);
  EXPECT_EQ(large.Height(), 80);
  EXPECT_EQ(small.Width(), 96);
  // The large hut sample stands at column 1: its left column 0 and its right column 7 are drawn.
  EXPECT_TRUE(columnHasInk(large, 0));
  EXPECT_TRUE(columnHasInk(large, 7));

  TFastDIB prisoners;
  DrawDragPicture(target, *DragPictureOfTag(23), prisoners);
  for (int column : {0, 3, 6}) EXPECT_TRUE(columnHasInk(prisoners, column)) << column;

  TFastDIB crossing;
  DrawDragPicture(target, *DragPictureOfTag(33), crossing);
  EXPECT_TRUE(columnHasInk(crossing, 0));
  EXPECT_TRUE(columnHasInk(crossing, 7));
  for (int column = 1; column < 7; ++column) EXPECT_FALSE(columnHasInk(crossing, column)) << column;
}

}  // namespace
}  // namespace kestrova

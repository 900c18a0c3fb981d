// Level navigation on the Editor: scroll bar, wheel, overview press, the
// "Show Land Space" box and the overview redraw.
#include <gtest/gtest.h>

#include "editor/editor.h"
#include "render/overview.h"
#include "render/palette_colours.h"
#include "support/editor_state_access.h"
#include "support/level_image.h"
#include "support/memory_files.h"
#include "support/scripted_ui.h"

namespace kestrova {
namespace {

class EditorViewTest : public ::testing::Test {
 protected:
  testing::ScriptedUi ui;
  testing::MemoryFiles files;
  Editor editor{ui, files};

  // Level 1 as a load leaves it: bounds, bytes free, levels rebuilt, the
  // scroll bar at its start.
  void Start(const std::vector<std::uint8_t>& stream) {
    editor.Image() = testing::LevelImage(stream);
    const auto load = CountFreeBytesAndFindLevelOne(editor.Image());
    ASSERT_TRUE(load);
    EditorState& state = testing::WritableState(editor);
    state.place.bytesFree = load->bytesFree;
    state.place.levelStart = load->levelStart;
    state.place.levelEnd = load->levelEnd;
    state.place.savedScrollOffset = 0;
    editor.RebuildLevels();
    editor.View().scrollPosition = editor.View().scrollMaximum;
    state.place.scrollOffset = 0;
    editor.Refresh();
  }

  // Ten screens of land space with an alarm every 190 rows or so.
  static std::vector<std::uint8_t> TenScreens() {
    std::vector<std::uint8_t> stream;
    for (int i = 0; i < 10; ++i) stream.insert(stream.end(), {0x27, static_cast<std::uint8_t>(i & 1), 0x00, 95});
    stream.insert(stream.end(), {0x22, 0x01, 0xFF});
    return stream;
  }

  int Offset() const { return editor.Place().scrollOffset; }
  int Position() const { return editor.View().scrollPosition; }
  std::uint32_t LandAtBottom() const { return editor.Grid().landPos[editor.Tables().rowStart[191]]; }
};

TEST_F(EditorViewTest, TheScrollBarPositionCountsFromTheFarEnd) {
  Start(TenScreens());
  ASSERT_EQ(editor.View().scrollMaximum, 1920);
  editor.ScrollTo(1920 - 192);
  EXPECT_EQ(Offset(), 192);
  EXPECT_EQ(Position(), 1728);
  EXPECT_EQ(LandAtBottom(), 0x9236u + 6);  // the second band is now at the bottom
  editor.ScrollTo(5000);                   // beyond the maximum: the bar stays at its end
  EXPECT_EQ(Position(), 1920);
  EXPECT_EQ(Offset(), 0);
  EXPECT_EQ(LandAtBottom(), 0x9236u + 2);
}

TEST_F(EditorViewTest, TheWheelScrollsOnlyOverTheMapAndHasNoUpperBound) {
  Start({0x00, 95, 0x00, 95, 0x22, 0x01, 0xFF});
  ASSERT_EQ(editor.View().scrollMaximum, 384);
  editor.TurnWheel(120, true, 3);
  EXPECT_EQ(Offset(), 30);
  EXPECT_EQ(Position(), 354);
  for (int i = 0; i < 20; ++i) editor.TurnWheel(120, true, 3);
  EXPECT_EQ(Offset(), 630);  // past the end of the level
  EXPECT_EQ(Position(), 0);  // the thumb stays at the top
  editor.TurnWheel(-120, true, 1);
  EXPECT_EQ(Offset(), 620);
  for (int i = 0; i < 40; ++i) editor.TurnWheel(-120, true, 3);
  EXPECT_EQ(Offset(), 0);
  EXPECT_EQ(Position(), 384);

  const std::vector<Pixel> before = editor.MapView().Pixels();
  editor.TurnWheel(120, false, 3);  // the pointer over another control
  EXPECT_EQ(Offset(), 0);
  EXPECT_EQ(Position(), 384);
  EXPECT_EQ(editor.MapView().Pixels(), before);
  editor.TurnWheel(120, true, 2000000000);  // an absurd setting does not overflow
  EXPECT_GT(Offset(), 0);
  editor.TurnWheel(120, true, 2000000000);
  EXPECT_GT(Offset(), 0);
}

TEST_F(EditorViewTest, APressInTheOverviewBringsItsRowToTheMiddleOfTheView) {
  Start(TenScreens());
  struct Case {
    int y;
    int position;
    int offset;
  };
  for (const Case c :
       {Case{0, 96, 1920 - 96}, Case{1, 10 + 96, 1920 - 106}, Case{100, 596, 1324}, Case{383, 1920, 0}}) {
    editor.PressOverview(MouseButton::Left, c.y);
    EXPECT_EQ(Position(), c.position) << c.y;
    EXPECT_EQ(Offset(), c.offset) << c.y;
  }
  editor.PressOverview(MouseButton::Left, 0);
  editor.PressOverview(MouseButton::Right, 383);
  EXPECT_EQ(Offset(), 1824);
}

TEST_F(EditorViewTest, APressBelowAOneScreenLevelKeepsTheBarInRange) {
  Start({0x00, 95, 0x22, 0x01, 0xFF});
  ASSERT_EQ(editor.View().scrollMaximum, 192);
  editor.PressOverview(MouseButton::Left, 383);  // 192 + 96 is past the maximum
  EXPECT_EQ(Position(), 192);
  EXPECT_EQ(Offset(), 0);
  editor.PressOverview(MouseButton::Left, 0);
  EXPECT_EQ(Position(), 96);
  EXPECT_EQ(Offset(), 96);
}

TEST_F(EditorViewTest, ShowLandSpaceDrawsAndRemovesTheLines) {
  Start({0x00, 3, 0x00, 40, 0x22, 0x01, 0xFF});
  const EditorState plain = editor.State();
  const std::vector<Pixel> plainView = editor.MapView().Pixels();
  editor.SetShowLandSpace(true);
  EXPECT_TRUE(editor.View().showLandSpace);
  // Band tops at 184 and 102: lines on rows 183 and 101, view rows 366-367 and 202-203.
  for (int y : {366, 367, 202, 203}) EXPECT_EQ(editor.MapView().PixelAtTop(300, y), kPaletteRed) << y;
  EXPECT_NE(editor.MapView().PixelAtTop(300, 365), kPaletteRed);
  editor.SetShowLandSpace(false);
  EXPECT_EQ(editor.MapView().Pixels(), plainView);
  EXPECT_EQ(editor.Place().scrollOffset, plain.place.scrollOffset);
  EXPECT_EQ(editor.Walk().currentRow, plain.walk.currentRow);
  EXPECT_EQ(editor.Walk().streamCursor, plain.walk.streamCursor);
}

TEST_F(EditorViewTest, TheOverviewShowsTheWholeLevelAndFollowsChanges) {
  Start(TenScreens());
  TFastDIB expected(64, 384);
  {
    SnapshotImage image = editor.Image();
    EditorState state = editor.State();
    CellGrid grid;
    TFastDIB map(256, 192);
    RenderTarget target{image, state.place, state.walk, grid, editor.Tables(), map};
    DrawOverview(target, 1920, expected);
  }
  EXPECT_EQ(editor.OverviewBitmap().Pixels(), expected.Pixels());
  // The alarms show as red-ink specks on yellow: not a plain picture.
  const auto& pixels = editor.OverviewBitmap().Pixels();
  EXPECT_NE(std::count(pixels.begin(), pixels.end(), PaperOf(0x30)), static_cast<long>(pixels.size()));

  // Turn the first alarm into land space in place, then redraw.
  editor.ScrollTo(1000);
  const std::vector<Pixel> before = pixels;
  editor.Image().Write(0x9236, 0x00);
  editor.Image().Write(0x9237, 0x00);
  editor.RedrawOverview();
  EXPECT_NE(editor.OverviewBitmap().Pixels(), before);
  EXPECT_EQ(Offset(), 920);  // kept
  EXPECT_EQ(editor.MapBitmap().Height(), 192);
  EXPECT_FALSE(editor.Walk().wholeLevelMode);
}

TEST_F(EditorViewTest, ALevelWithoutLandSpaceHasABlackOverview) {
  Start({0x27, 0x01, 0x22, 0x01, 0xFF});
  EXPECT_EQ(editor.View().scrollMaximum, 0);
  for (Pixel p : editor.OverviewBitmap().Pixels()) ASSERT_EQ(p, 0u);
  // The view itself still shows the alarm.
  EXPECT_EQ(editor.Grid().tileId[editor.Tables().rowStart[184]], 39u);
}

}  // namespace
}  // namespace kestrova

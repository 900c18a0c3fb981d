// The status text after actions that change the picture under a pointer
// that did not move, the palette pictures' names, and the Delete key's
// delete under the pointer.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>

#include "demo/demo_game.h"
#include "edit/menu_model.h"
#include "render/map_geometry.h"
#include "support/edit_fixture.h"

namespace kestrova {
namespace {

using testing::EditFixture;

constexpr const char* kStale = "stale";
// A map pixel in the lower half of the view, over the demo's first level.
constexpr int kX = 200;
constexpr int kY = 330;

// The demo game as a load leaves it.
void LoadDemo(EditFixture& f) { f.LoadImage(MakeDemoSnapshot(DemoMachine::Spectrum48K)); }

// The text a fresh pointer move to (x, y) gives now.
std::string FreshText(EditFixture& f, int x, int y) {
  f.editor.View().statusText = kStale;
  f.editor.MovePointerOverMap(x, y);
  return f.editor.View().statusText;
}

// The first enabled delete item of the popup a right press at (x, y) builds.
std::optional<MenuItem> PopupDelete(EditFixture& f, int x, int y) {
  f.editor.MovePointerOverMap(x, y);
  f.editor.PressMap(MouseButton::Right, x, y);
  for (const MenuItem& item : f.editor.Popup())
    if (item.enabled && item.caption.starts_with("Delete")) return item;
  return std::nullopt;
}

void DeleteThroughPopup(EditFixture& f, int x, int y) {
  const std::optional<MenuItem> item = PopupDelete(f, x, y);
  ASSERT_TRUE(item) << "no delete in the popup at " << x << "," << y;
  ASSERT_TRUE(f.editor.RunMenuCommand(*item));
}

class StatusFollow : public ::testing::Test {
 protected:
  void SetUp() override { LoadDemo(f); }
  EditFixture f;
};

struct FollowCase {
  const char* name;
  std::function<void(EditFixture&)> action;
};

TEST(StatusFollowActions, AfterEachActionTheTextDescribesWhatIsUnderThePointerNow) {
  const FollowCase cases[] = {
      {"wheel up", [](EditFixture& f) { f.editor.TurnWheel(1, true, 3); }},
      {"scroll bar", [](EditFixture& f) { f.editor.ScrollTo(f.editor.View().scrollPosition - 57); }},
      {"overview press", [](EditFixture& f) { f.editor.PressOverview(MouseButton::Left, 40); }},
      {"delete via popup", [](EditFixture& f) { DeleteThroughPopup(f, kX, kY); }},
      {"undo",
       [](EditFixture& f) {
         DeleteThroughPopup(f, kX, kY);
         f.editor.View().statusText = kStale;
         f.editor.Undo();
       }},
      {"palette drop",
       [](EditFixture& f) {
         f.editor.PressPalette(MouseButton::Left, 32 * 1 + 5, 300, 60);  // a tree
         f.editor.MovePointerOverWindow(kX, kY + kMapViewTop);
         f.editor.ReleasePalette();
       }},
  };
  for (const FollowCase& c : cases) {
    SCOPED_TRACE(c.name);
    EditFixture f;
    LoadDemo(f);
    f.editor.MovePointerOverMap(kX, kY);
    f.editor.View().statusText = kStale;
    const unsigned refusals = f.editor.View().lastRefusal.count;
    c.action(f);
    EXPECT_EQ(f.editor.View().lastRefusal.count, refusals) << f.editor.View().lastRefusal.reason;
    const std::string after = f.editor.View().statusText;
    EXPECT_NE(after, kStale);
    EXPECT_EQ(after, FreshText(f, kX, kY));
  }
}

TEST_F(StatusFollow, APointerThatLeftTheMapLeavesTheTextAlone) {
  f.editor.MovePointerOverMap(kX, kY);
  f.editor.LeavePointerFromMap();
  f.editor.View().statusText = kStale;
  f.editor.TurnWheel(1, true, 3);
  EXPECT_EQ(f.editor.View().statusText, kStale);
  // A move outside the view while a button is held is no pointing either.
  f.editor.MovePointerOverMap(kX, kY);
  f.editor.MovePointerOverMap(kX, -40);
  f.editor.View().statusText = kStale;
  f.editor.ScrollTo(f.editor.View().scrollPosition - 30);
  EXPECT_EQ(f.editor.View().statusText, kStale);
}

TEST_F(StatusFollow, ThePaletteNamesFollowTheSlotAndTheProperties) {
  struct Case {
    int x;
    const char* name;
  };
  for (const Case& c : {Case{0, "Land Space"}, Case{31, "Land Space"}, Case{32, "Tree"}, Case{32 * 19, "Small Hut"},
                        Case{32 * 25 + 7, "Tunnel with Motorbike"}, Case{32 * 29, "Full Road"},
                        Case{1023, "No Gate Top Soldiers"}, Case{-1, ""}, Case{1024, ""}}) {
    EXPECT_EQ(f.editor.PaletteSlotName(c.x), c.name) << c.x;
  }
  f.editor.ClickOption(OptionId::HutLarge);
  EXPECT_EQ(f.editor.PaletteSlotName(32 * 19 + 3), "Large Hut");

  f.editor.View().statusText = kStale;
  f.editor.PointAtPalette(32 * 19 + 3);
  EXPECT_EQ(f.editor.View().statusText, "Large Hut");
  f.editor.View().statusText = kStale;
  f.editor.PointAtPalette(-5);
  EXPECT_EQ(f.editor.View().statusText, kStale);
}

TEST_F(StatusFollow, TheDeleteKeyDeletesAsThePopupWould) {
  EditFixture byPopup;
  LoadDemo(byPopup);
  const std::optional<MenuItem> chosen = PopupDelete(byPopup, kX, kY);
  ASSERT_TRUE(chosen);
  ASSERT_TRUE(byPopup.editor.RunMenuCommand(*chosen));

  f.editor.MovePointerOverMap(kX, kY);
  ASSERT_TRUE(f.editor.DeleteUnderPointer());
  EXPECT_TRUE(std::ranges::equal(f.editor.Image().Bytes(), byPopup.editor.Image().Bytes()));
  EXPECT_EQ(f.editor.Place().bytesFree, byPopup.editor.Place().bytesFree);
  EXPECT_EQ(f.editor.UndoName(), byPopup.editor.UndoName());
  EXPECT_EQ(f.editor.UndoName(), chosen->caption);
}

TEST_F(StatusFollow, TheDeleteKeyRefusesWhereNothingCanBeDeleted) {
  const std::vector<std::uint8_t> levels = f.Bytes(kLevelAreaStart, kLevelAreaLength);
  f.editor.LeavePointerFromMap();
  EXPECT_EQ(f.editor.DeleteUnderPointer().ErrorMessage(), "the pointer is not over the map");
  // Above the level's end the map shows bare ground with no record under it.
  f.editor.ScrollTo(0);
  f.editor.TurnWheel(1, true, 100);
  f.editor.MovePointerOverMap(kX, 10);
  const Outcome refused = f.editor.DeleteUnderPointer();
  EXPECT_EQ(refused.ErrorMessage(), "nothing to delete here");
  EXPECT_EQ(f.editor.View().lastRefusal.reason, "nothing to delete here");
  EXPECT_EQ(f.Bytes(kLevelAreaStart, kLevelAreaLength), levels);
  EXPECT_FALSE(f.editor.CanUndo());
}

}  // namespace
}  // namespace kestrova

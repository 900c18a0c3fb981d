#include "edit/properties_rules.h"

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kestrova {
namespace {

using Tab = PropertiesTab;
using enum OptionId;

TEST(PropertiesControls, EveryChoiceOnceWithItsOwnFieldAndDesignState) {
  std::set<OptionId> ids;
  std::set<const OptionControl*> fields;
  PropertiesOptions options;
  for (const OptionControlInfo& info : OptionControls()) {
    EXPECT_TRUE(ids.insert(info.id).second) << info.caption;
    EXPECT_EQ(&InfoOf(info.id), &info);
    // Each row reaches a field of its own, and the same one read-only.
    EXPECT_TRUE(fields.insert(&ControlOf(options, info.id)).second) << info.caption;
    EXPECT_EQ(&ControlOf(std::as_const(options), info.id), &ControlOf(options, info.id));
  }
  EXPECT_EQ(ids.size(), 28u);
  EXPECT_EQ(sizeof(PropertiesOptions), 28 * sizeof(OptionControl));  // no field without a row
  // Design states: each radio place has exactly one radio on; the second
  // cliff box's options start disabled, everything else enabled.
  const PropertiesOptions design;
  std::set<std::pair<Tab, OptionPlace>> places;
  for (const OptionControlInfo& info : OptionControls()) {
    if (info.kind != OptionKind::OneOfPlace || !places.insert({info.tab, info.place}).second) continue;
    int on = 0;
    for (const OptionControlInfo& other : OptionControls()) {
      if (other.kind == OptionKind::OneOfPlace && other.tab == info.tab && other.place == info.place)
        on += ControlOf(design, other.id).checked ? 1 : 0;
    }
    EXPECT_EQ(on, 1) << info.caption;
  }
  for (const OptionControlInfo& info : OptionControls()) {
    const bool secondCliffBox = info.place == OptionPlace::CliffEdgeBox && info.id != CliffEdgeChosen;
    EXPECT_EQ(ControlOf(design, info.id).enabled, !secondCliffBox) << info.caption;
  }
}

// The tag a tab gives after clicks from the design state.
struct TagCase {
  std::vector<OptionId> clicks;
  Tab tab;
  std::optional<int> tag;
};

TEST(PropertiesTags, OfEachTabAfterClicks) {
  const std::vector<TagCase> cases = {
      // At program start.
      {{}, Tab::Hut, 26},
      {{}, Tab::Cliff, 14},
      {{}, Tab::Cave, 30},
      {{}, Tab::Alarm, 35},
      {{}, Tab::Bridge, 41},
      {{}, Tab::Rocket, 38},
      {{}, Tab::LogCrossing, 33},
      {{}, Tab::Road, 47},
      {{}, Tab::Fortress, 48},
      {{}, Tab::Wipe, std::nullopt},
      {{WipeAllAfterCurrentLevel}, Tab::Wipe, std::nullopt},
      // The tabs of one or two choices.
      {{HutLarge}, Tab::Hut, 27},
      {{HutLarge, HutSmall}, Tab::Hut, 26},
      {{AlarmOff}, Tab::Alarm, 36},
      {{AlarmOff, AlarmOn}, Tab::Alarm, 35},
      {{BridgeMotorbike}, Tab::Bridge, 40},
      {{BridgeMotorbike, BridgeMotorbike}, Tab::Bridge, 41},
      {{RocketFinish}, Tab::Rocket, 39},
      {{LogCrossingRight}, Tab::LogCrossing, 34},
      {{FortressSoldiersOnWalls}, Tab::Fortress, 49},
      {{RoadTopEdging}, Tab::Road, 44},
      {{RoadBottomEdging}, Tab::Road, 45},
      {{RoadMarking}, Tab::Road, 46},
      {{RoadMarking, RoadFull}, Tab::Road, 47},
      // "Cliff": the first box's direction; the edge's variants, where
      // "Double" counts only together with "Jumping Soldiers".
      {{CliffMirrored}, Tab::Cliff, 15},
      {{CliffEdgeChosen}, Tab::Cliff, 16},
      {{CliffEdgeChosen, CliffEdgeDouble}, Tab::Cliff, 16},
      {{CliffEdgeChosen, CliffEdgeMirrored}, Tab::Cliff, 18},
      {{CliffEdgeChosen, CliffEdgeJumpingSoldiers}, Tab::Cliff, 17},
      {{CliffEdgeChosen, CliffEdgeMirrored, CliffEdgeJumpingSoldiers}, Tab::Cliff, 19},
      {{CliffEdgeChosen, CliffEdgeJumpingSoldiers, CliffEdgeDouble}, Tab::Cliff, 42},
      {{CliffEdgeChosen, CliffEdgeMirrored, CliffEdgeDouble, CliffEdgeJumpingSoldiers}, Tab::Cliff, 43},
      {{CliffEdgeChosen, CliffChosen}, Tab::Cliff, 14},
      {{CliffEdgeMirrored}, Tab::Cliff, 14},  // disabled at the start: no effect
      // "Cave".
      {{CaveTop}, Tab::Cave, 32},
      {{CaveTop, CaveMain}, Tab::Cave, 31},
      {{CaveTop, CaveBottom}, Tab::Cave, 29},
      {{CaveTop, CaveBottom, CaveSpace}, Tab::Cave, 28},
      {{CaveBottom}, Tab::Cave, 28},
      {{CaveSpace}, Tab::Cave, 31},
  };
  for (const TagCase& c : cases) {
    PropertiesOptions options;
    std::string clicks;
    for (OptionId id : c.clicks) {
      ClickOption(options, id);
      clicks += std::string(InfoOf(id).caption) + "; ";
    }
    EXPECT_EQ(TagOfTab(c.tab, options), c.tag) << CaptionOf(c.tab) << " after " << clicks;
  }
}

TEST(PropertiesTags, ChoicesAreTestedInOrderWhateverTheirEnabledState) {
  PropertiesOptions options;
  options.road.full.checked = false;  // no road button checked
  EXPECT_EQ(TagOfTab(Tab::Road, options), 47);
  options.road.bottomEdging.checked = true;
  options.road.marking.checked = true;
  EXPECT_EQ(TagOfTab(Tab::Road, options), 45);
  options.road.topEdging.checked = true;
  EXPECT_EQ(TagOfTab(Tab::Road, options), 44);

  // Disabled by choosing "Cliff" again, the edge's boxes still count.
  ClickOption(options, CliffEdgeChosen);
  ClickOption(options, CliffEdgeJumpingSoldiers);
  ClickOption(options, CliffEdgeDouble);
  options.cliff.chosen.checked = false;  // as a keyboard toggle would leave it
  options.cliff.regular.enabled = false;
  options.cliffEdge.doubled.enabled = options.cliffEdge.jumpingSoldiers.enabled = false;
  EXPECT_EQ(TagOfTab(Tab::Cliff, options), 42);
}

TEST(PropertiesCliff, TheTwoBoxesActAsOneChoice) {
  PropertiesOptions options;
  ClickOption(options, CliffEdgeChosen);
  EXPECT_TRUE(options.cliffEdge.chosen.checked);
  EXPECT_FALSE(options.cliff.chosen.checked);
  for (const OptionControl* on : {&options.cliffEdge.regular, &options.cliffEdge.mirrored, &options.cliffEdge.doubled,
                                  &options.cliffEdge.jumpingSoldiers})
    EXPECT_TRUE(on->enabled);
  EXPECT_FALSE(options.cliff.regular.enabled);
  EXPECT_FALSE(options.cliff.mirrored.enabled);

  // A second click toggles the box off, and the release checks it again.
  ClickOption(options, CliffEdgeChosen);
  EXPECT_TRUE(options.cliffEdge.chosen.checked);

  ClickOption(options, CliffChosen);
  EXPECT_TRUE(options.cliff.chosen.checked);
  EXPECT_FALSE(options.cliffEdge.chosen.checked);
  EXPECT_TRUE(options.cliff.regular.enabled);
  EXPECT_FALSE(options.cliffEdge.jumpingSoldiers.enabled);
  ClickOption(options, CliffMirrored);
  // The second box's radios are their own pair.
  EXPECT_TRUE(options.cliffEdge.regular.checked);
  ClickOption(options, CliffEdgeRegular);  // disabled now: no effect
  EXPECT_TRUE(options.cliff.mirrored.checked);
}

TEST(PropertiesCliff, KeyboardTogglesRunNoRuleAndAReleaseWithoutClickDoes) {
  PropertiesOptions options;
  ToggleOptionFromKeyboard(options, CliffEdgeChosen);
  EXPECT_TRUE(options.cliffEdge.chosen.checked);
  EXPECT_TRUE(options.cliff.chosen.checked);
  EXPECT_FALSE(options.cliffEdge.regular.enabled);
  EXPECT_EQ(TagOfTab(Tab::Cliff, options), 14);
  ToggleOptionFromKeyboard(options, CliffChosen);
  EXPECT_FALSE(options.cliff.chosen.checked);
  EXPECT_EQ(TagOfTab(Tab::Cliff, options), 16);
  // A right button released over "Cliff" makes it the choice again.
  ReleaseMouseOverOption(options, CliffChosen);
  EXPECT_TRUE(options.cliff.chosen.checked);
  EXPECT_FALSE(options.cliffEdge.chosen.checked);
  EXPECT_TRUE(options.cliff.regular.enabled);
  // Radio buttons are not toggled from the keyboard here.
  ToggleOptionFromKeyboard(options, CliffRegular);
  EXPECT_TRUE(options.cliff.regular.checked);
}

TEST(PropertiesCave, TopTakesTheSpaceAwayUntilItIsCheckedAgain) {
  PropertiesOptions options;
  ClickOption(options, CaveTop);
  EXPECT_FALSE(options.cave.space.checked);
  EXPECT_FALSE(options.cave.space.enabled);
  ClickOption(options, CaveSpace);  // disabled: no effect
  EXPECT_FALSE(options.cave.space.checked);
  ClickOption(options, CaveMain);
  EXPECT_TRUE(options.cave.space.enabled);
  EXPECT_FALSE(options.cave.space.checked);
  ClickOption(options, CaveBottom);
  ClickOption(options, CaveSpace);
  ClickOption(options, CaveMain);
  EXPECT_TRUE(options.cave.space.checked);
}

}  // namespace
}  // namespace kestrova

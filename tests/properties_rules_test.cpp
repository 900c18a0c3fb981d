#include "edit/properties_rules.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

namespace kestrova {
namespace {

using Tab = PropertiesTab;

TEST(PropertiesControls, EveryControlOnceWithItsDesignState) {
  std::set<std::string_view> names;
  for (const OptionControlInfo& info : OptionControls()) {
    EXPECT_TRUE(names.insert(info.name).second) << info.name;
    EXPECT_EQ(&InfoOf(info.id), &info);
  }
  EXPECT_EQ(names.size(), 28u);
  // Design states: each radio place has exactly one radio on; the second
  // cliff box's options start disabled, everything else enabled.
  const PropertiesOptions design;
  std::set<std::pair<Tab, OptionPlace>> places;
  for (const OptionControlInfo& info : OptionControls()) {
    if (info.kind != OptionKind::RadioButton || !places.insert({info.tab, info.place}).second) continue;
    int on = 0;
    for (const OptionControlInfo& other : OptionControls()) {
      if (other.kind == OptionKind::RadioButton && other.tab == info.tab && other.place == info.place)
        on += (design.*other.control).checked ? 1 : 0;
    }
    EXPECT_EQ(on, 1) << info.name;
  }
  for (const OptionControlInfo& info : OptionControls()) {
    const bool secondCliffBox = info.place == OptionPlace::GroupBox2 && info.id != OptionId::CheckBox4;
    EXPECT_EQ((design.*info.control).enabled, !secondCliffBox) << info.name;
  }
}

TEST(PropertiesTags, AtProgramStart) {
  const PropertiesOptions options;
  EXPECT_EQ(TagOfTab(Tab::Hut, options), 26);
  EXPECT_EQ(TagOfTab(Tab::Cliff, options), 14);
  EXPECT_EQ(TagOfTab(Tab::Cave, options), 30);
  EXPECT_EQ(TagOfTab(Tab::Alarm, options), 35);
  EXPECT_EQ(TagOfTab(Tab::Bridge, options), 41);
  EXPECT_EQ(TagOfTab(Tab::Rocket, options), 38);
  EXPECT_EQ(TagOfTab(Tab::LogCrossing, options), 33);
  EXPECT_EQ(TagOfTab(Tab::Road, options), 47);
  EXPECT_EQ(TagOfTab(Tab::Fortress, options), 48);
  EXPECT_EQ(TagOfTab(Tab::Wipe, options), std::nullopt);
}

TEST(PropertiesTags, EachChoiceOfTheSimpleTabs) {
  PropertiesOptions options;
  ClickOption(options, OptionId::RadioButton2);
  EXPECT_EQ(TagOfTab(Tab::Hut, options), 27);
  EXPECT_FALSE(options.radioButton1.checked);
  ClickOption(options, OptionId::RadioButton1);
  EXPECT_EQ(TagOfTab(Tab::Hut, options), 26);
  ClickOption(options, OptionId::RadioButton11);
  EXPECT_EQ(TagOfTab(Tab::Alarm, options), 36);
  ClickOption(options, OptionId::CheckBox6);
  EXPECT_EQ(TagOfTab(Tab::Bridge, options), 40);
  ClickOption(options, OptionId::RadioButton13);
  EXPECT_EQ(TagOfTab(Tab::Rocket, options), 39);
  ClickOption(options, OptionId::RadioButton15);
  EXPECT_EQ(TagOfTab(Tab::LogCrossing, options), 34);
  ClickOption(options, OptionId::CheckBox7);
  EXPECT_EQ(TagOfTab(Tab::Fortress, options), 49);
  for (auto [id, tag] : {std::pair{OptionId::RadioButton16, 44}, {OptionId::RadioButton17, 45},
                         {OptionId::RadioButton18, 46}, {OptionId::RadioButton19, 47}}) {
    ClickOption(options, id);
    EXPECT_EQ(TagOfTab(Tab::Road, options), tag);
  }
}

TEST(PropertiesTags, RoadButtonsAreTestedInOrder) {
  PropertiesOptions options;
  options.radioButton19.checked = false;  // no road button checked
  EXPECT_EQ(TagOfTab(Tab::Road, options), 47);
  options.radioButton17.checked = true;
  options.radioButton18.checked = true;
  EXPECT_EQ(TagOfTab(Tab::Road, options), 45);
  options.radioButton16.checked = true;
  EXPECT_EQ(TagOfTab(Tab::Road, options), 44);
}

TEST(PropertiesCliff, TheTwoBoxesActAsOneChoice) {
  PropertiesOptions options;
  ClickOption(options, OptionId::CheckBox4);
  EXPECT_TRUE(options.checkBox4.checked);
  EXPECT_FALSE(options.checkBox3.checked);
  for (const OptionControl* on : {&options.radioButton4, &options.radioButton6, &options.checkBox1, &options.checkBox2})
    EXPECT_TRUE(on->enabled);
  EXPECT_FALSE(options.radioButton3.enabled);
  EXPECT_FALSE(options.radioButton5.enabled);
  EXPECT_EQ(TagOfTab(Tab::Cliff, options), 16);

  // A second click toggles the box off, and the release checks it again.
  ClickOption(options, OptionId::CheckBox4);
  EXPECT_TRUE(options.checkBox4.checked);

  ClickOption(options, OptionId::CheckBox3);
  EXPECT_TRUE(options.checkBox3.checked);
  EXPECT_FALSE(options.checkBox4.checked);
  EXPECT_TRUE(options.radioButton3.enabled);
  EXPECT_FALSE(options.checkBox2.enabled);
  EXPECT_EQ(TagOfTab(Tab::Cliff, options), 14);
  ClickOption(options, OptionId::RadioButton5);
  EXPECT_EQ(TagOfTab(Tab::Cliff, options), 15);
  // The second box's radios are their own pair.
  EXPECT_TRUE(options.radioButton4.checked);
  ClickOption(options, OptionId::RadioButton4);  // disabled now: no effect
  EXPECT_TRUE(options.radioButton5.checked);
}

TEST(PropertiesCliff, EdgeVariantsAndDoubleOnlyWithSoldiers) {
  PropertiesOptions options;
  ClickOption(options, OptionId::CheckBox4);
  ClickOption(options, OptionId::CheckBox1);  // "Double" alone changes nothing
  EXPECT_EQ(TagOfTab(Tab::Cliff, options), 16);
  ClickOption(options, OptionId::RadioButton6);
  EXPECT_EQ(TagOfTab(Tab::Cliff, options), 18);
  ClickOption(options, OptionId::CheckBox2);
  EXPECT_EQ(TagOfTab(Tab::Cliff, options), 43);
  ClickOption(options, OptionId::CheckBox1);
  EXPECT_EQ(TagOfTab(Tab::Cliff, options), 19);
  ClickOption(options, OptionId::RadioButton4);
  EXPECT_EQ(TagOfTab(Tab::Cliff, options), 17);
  ClickOption(options, OptionId::CheckBox1);
  EXPECT_EQ(TagOfTab(Tab::Cliff, options), 42);
  // Disabled by choosing "Cliff" again, the boxes still count with their states.
  options.checkBox3.checked = false;  // as a keyboard toggle would leave it
  options.radioButton3.enabled = false;
  options.checkBox1.enabled = options.checkBox2.enabled = false;
  EXPECT_EQ(TagOfTab(Tab::Cliff, options), 42);
}

TEST(PropertiesCliff, KeyboardTogglesRunNoRuleAndAReleaseWithoutClickDoes) {
  PropertiesOptions options;
  ToggleOptionFromKeyboard(options, OptionId::CheckBox4);
  EXPECT_TRUE(options.checkBox4.checked);
  EXPECT_TRUE(options.checkBox3.checked);
  EXPECT_FALSE(options.radioButton4.enabled);
  EXPECT_EQ(TagOfTab(Tab::Cliff, options), 14);
  ToggleOptionFromKeyboard(options, OptionId::CheckBox3);
  EXPECT_FALSE(options.checkBox3.checked);
  EXPECT_EQ(TagOfTab(Tab::Cliff, options), 16);
  // A right button released over "Cliff" makes it the choice again.
  ReleaseMouseOverOption(options, OptionId::CheckBox3);
  EXPECT_TRUE(options.checkBox3.checked);
  EXPECT_FALSE(options.checkBox4.checked);
  EXPECT_TRUE(options.radioButton3.enabled);
  // Radio buttons are not toggled from the keyboard here.
  ToggleOptionFromKeyboard(options, OptionId::RadioButton3);
  EXPECT_TRUE(options.radioButton3.checked);
}

TEST(PropertiesCave, TopTakesTheSpaceAwayUntilItIsCheckedAgain) {
  PropertiesOptions options;
  ClickOption(options, OptionId::RadioButton9);
  EXPECT_FALSE(options.checkBox5.checked);
  EXPECT_FALSE(options.checkBox5.enabled);
  EXPECT_EQ(TagOfTab(Tab::Cave, options), 32);
  ClickOption(options, OptionId::CheckBox5);  // disabled: no effect
  EXPECT_FALSE(options.checkBox5.checked);
  ClickOption(options, OptionId::RadioButton7);
  EXPECT_TRUE(options.checkBox5.enabled);
  EXPECT_FALSE(options.checkBox5.checked);
  EXPECT_EQ(TagOfTab(Tab::Cave, options), 31);
  ClickOption(options, OptionId::RadioButton8);
  EXPECT_EQ(TagOfTab(Tab::Cave, options), 29);
  ClickOption(options, OptionId::CheckBox5);
  EXPECT_EQ(TagOfTab(Tab::Cave, options), 28);
  ClickOption(options, OptionId::RadioButton7);
  EXPECT_EQ(TagOfTab(Tab::Cave, options), 30);
}

}  // namespace
}  // namespace kestrova

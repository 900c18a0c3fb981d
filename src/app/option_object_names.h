#pragma once

#include <array>
#include <string_view>

#include "edit/properties_rules.h"

namespace kestrova::app {

// The objectName of each "Properties" control: the window's names for the
// model's choices, which the GUI tests look the controls up by.
struct OptionObjectName {
  OptionId id;
  std::string_view objectName;
};

inline constexpr std::string_view kCliffBoxObjectName = "GroupBox1";
inline constexpr std::string_view kCliffEdgeBoxObjectName = "GroupBox2";
inline constexpr std::string_view kPropertiesPagesObjectName = "PageControl1";

// clang-format off
inline constexpr std::array<OptionObjectName, 28> kOptionObjectNames = {{
    {OptionId::HutSmall, "RadioButton1"},
    {OptionId::HutLarge, "RadioButton2"},
    {OptionId::CliffChosen, "CheckBox3"},
    {OptionId::CliffRegular, "RadioButton3"},
    {OptionId::CliffMirrored, "RadioButton5"},
    {OptionId::CliffEdgeChosen, "CheckBox4"},
    {OptionId::CliffEdgeRegular, "RadioButton4"},
    {OptionId::CliffEdgeMirrored, "RadioButton6"},
    {OptionId::CliffEdgeDouble, "CheckBox1"},
    {OptionId::CliffEdgeJumpingSoldiers, "CheckBox2"},
    {OptionId::CaveMain, "RadioButton7"},
    {OptionId::CaveBottom, "RadioButton8"},
    {OptionId::CaveTop, "RadioButton9"},
    {OptionId::CaveSpace, "CheckBox5"},
    {OptionId::AlarmOn, "RadioButton10"},
    {OptionId::AlarmOff, "RadioButton11"},
    {OptionId::BridgeMotorbike, "CheckBox6"},
    {OptionId::RocketStart, "RadioButton12"},
    {OptionId::RocketFinish, "RadioButton13"},
    {OptionId::LogCrossingLeft, "RadioButton14"},
    {OptionId::LogCrossingRight, "RadioButton15"},
    {OptionId::RoadTopEdging, "RadioButton16"},
    {OptionId::RoadBottomEdging, "RadioButton17"},
    {OptionId::RoadMarking, "RadioButton18"},
    {OptionId::RoadFull, "RadioButton19"},
    {OptionId::FortressSoldiersOnWalls, "CheckBox7"},
    {OptionId::WipeCurrentLevel, "RadioButton20"},
    {OptionId::WipeAllAfterCurrentLevel, "RadioButton21"},
}};
// clang-format on

constexpr std::string_view ObjectNameOf(OptionId id) {
  for (const OptionObjectName& row : kOptionObjectNames) {
    if (row.id == id) return row.objectName;
  }
  return {};  // every id has a row (checked by the tests)
}

}  // namespace kestrova::app

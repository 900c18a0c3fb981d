#include "edit/properties_rules.h"

namespace kestrova {

namespace {

using enum OptionId;
using enum OptionKind;
using enum OptionPlace;
using Tab = PropertiesTab;

// clang-format off
constexpr std::array<OptionControlInfo, 28> kOptionControls = {{
    {RadioButton1, "RadioButton1", RadioButton, Tab::Hut, OnTab, "Small Hut", {85, 48, 113, 17}, &PropertiesOptions::radioButton1},
    {RadioButton2, "RadioButton2", RadioButton, Tab::Hut, OnTab, "Large Hut", {85, 72, 113, 17}, &PropertiesOptions::radioButton2},
    {CheckBox3, "CheckBox3", CheckBox, Tab::Cliff, GroupBox1, "Cliff", {2, 8, 44, 17}, &PropertiesOptions::checkBox3},
    {RadioButton3, "RadioButton3", RadioButton, Tab::Cliff, GroupBox1, "Regular", {72, 8, 65, 17}, &PropertiesOptions::radioButton3},
    {RadioButton5, "RadioButton5", RadioButton, Tab::Cliff, GroupBox1, "Mirrored", {72, 24, 65, 17}, &PropertiesOptions::radioButton5},
    {CheckBox4, "CheckBox4", CheckBox, Tab::Cliff, GroupBox2, "Cliff Edge", {2, 8, 71, 17}, &PropertiesOptions::checkBox4},
    {RadioButton4, "RadioButton4", RadioButton, Tab::Cliff, GroupBox2, "Regular", {72, 8, 57, 17}, &PropertiesOptions::radioButton4},
    {RadioButton6, "RadioButton6", RadioButton, Tab::Cliff, GroupBox2, "Mirrored", {72, 24, 65, 17}, &PropertiesOptions::radioButton6},
    {CheckBox1, "CheckBox1", CheckBox, Tab::Cliff, GroupBox2, "Double", {72, 40, 57, 17}, &PropertiesOptions::checkBox1},
    {CheckBox2, "CheckBox2", CheckBox, Tab::Cliff, GroupBox2, "Jumping Soldiers", {72, 56, 97, 17}, &PropertiesOptions::checkBox2},
    {RadioButton7, "RadioButton7", RadioButton, Tab::Cave, OnTab, "Main", {85, 32, 113, 17}, &PropertiesOptions::radioButton7},
    {RadioButton8, "RadioButton8", RadioButton, Tab::Cave, OnTab, "Bottom", {85, 48, 113, 17}, &PropertiesOptions::radioButton8},
    {RadioButton9, "RadioButton9", RadioButton, Tab::Cave, OnTab, "Top", {85, 64, 113, 17}, &PropertiesOptions::radioButton9},
    {CheckBox5, "CheckBox5", CheckBox, Tab::Cave, OnTab, "Space", {85, 88, 97, 17}, &PropertiesOptions::checkBox5},
    {RadioButton10, "RadioButton10", RadioButton, Tab::Alarm, OnTab, "Set Alarm ON", {85, 48, 113, 17}, &PropertiesOptions::radioButton10},
    {RadioButton11, "RadioButton11", RadioButton, Tab::Alarm, OnTab, "Set Alarm OFF", {85, 72, 113, 17}, &PropertiesOptions::radioButton11},
    {CheckBox6, "CheckBox6", CheckBox, Tab::Bridge, OnTab, "Motorbike", {93, 60, 97, 17}, &PropertiesOptions::checkBox6},
    {RadioButton12, "RadioButton12", RadioButton, Tab::Rocket, OnTab, "Start Rocket Launcher Attack", {57, 48, 169, 17}, &PropertiesOptions::radioButton12},
    {RadioButton13, "RadioButton13", RadioButton, Tab::Rocket, OnTab, "Finish Rocket Launcher Attack", {57, 72, 169, 17}, &PropertiesOptions::radioButton13},
    {RadioButton14, "RadioButton14", RadioButton, Tab::LogCrossing, OnTab, "Left Crossing", {85, 48, 113, 17}, &PropertiesOptions::radioButton14},
    {RadioButton15, "RadioButton15", RadioButton, Tab::LogCrossing, OnTab, "Right Crossing", {85, 72, 113, 17}, &PropertiesOptions::radioButton15},
    {RadioButton16, "RadioButton16", RadioButton, Tab::Road, OnTab, "Top Edging", {85, 36, 113, 17}, &PropertiesOptions::radioButton16},
    {RadioButton17, "RadioButton17", RadioButton, Tab::Road, OnTab, "Bottom Edging", {85, 52, 113, 17}, &PropertiesOptions::radioButton17},
    {RadioButton18, "RadioButton18", RadioButton, Tab::Road, OnTab, "Road Marking", {85, 68, 113, 17}, &PropertiesOptions::radioButton18},
    {RadioButton19, "RadioButton19", RadioButton, Tab::Road, OnTab, "Full Road", {85, 84, 113, 17}, &PropertiesOptions::radioButton19},
    {CheckBox7, "CheckBox7", CheckBox, Tab::Fortress, OnTab, "Soldiers on Walls", {89, 60, 105, 17}, &PropertiesOptions::checkBox7},
    {RadioButton20, "RadioButton20", RadioButton, Tab::Wipe, OnTab, "Current Level (Leaving Spaces)", {76, 46, 173, 17}, &PropertiesOptions::radioButton20},
    {RadioButton21, "RadioButton21", RadioButton, Tab::Wipe, OnTab, "ALL after current Level", {76, 73, 132, 17}, &PropertiesOptions::radioButton21},
}};
// clang-format on

// Insertion tags the tabs choose between.
constexpr int kTagSmallHut = 26;
constexpr int kTagLargeHut = 27;
constexpr int kTagLeftCliff = 14;
constexpr int kTagRightCliff = 15;
struct CliffEdgeTags {
  int regular;
  int jumpingSoldiers;
  int doubleWithSoldiers;
};
constexpr CliffEdgeTags kLeftEdgeTags{16, 17, 42};
constexpr CliffEdgeTags kRightEdgeTags{18, 19, 43};
constexpr int kTagCaveMainWithSpace = 30;
constexpr int kTagCaveMainWithoutSpace = 31;
constexpr int kTagCaveBottomWithSpace = 28;
constexpr int kTagCaveBottomWithoutSpace = 29;
constexpr int kTagCaveTopEdge = 32;
constexpr int kTagAlarmOn = 35;
constexpr int kTagAlarmOff = 36;
constexpr int kTagTunnelWithMotorbike = 41;
constexpr int kTagTunnelWithoutMotorbike = 40;
constexpr int kTagRocketStart = 38;
constexpr int kTagRocketEnd = 39;
constexpr int kTagCrossingLeft = 33;
constexpr int kTagCrossingRight = 34;
constexpr int kTagTopEdging = 44;
constexpr int kTagBottomEdging = 45;
constexpr int kTagRoadMarking = 46;
constexpr int kTagFullRoad = 47;
constexpr int kTagGateTopSoldiers = 49;
constexpr int kTagNoGateTopSoldiers = 48;

OptionControl& ControlOf(PropertiesOptions& options, OptionId id) { return options.*(InfoOf(id).control); }

void Enable(PropertiesOptions& options, std::initializer_list<OptionId> ids, bool enabled) {
  for (OptionId id : ids) ControlOf(options, id).enabled = enabled;
}

// "Cliff" and "Cliff Edge" act as one choice: the box released over is
// checked, the other unchecked, and only the chosen box's options enabled.
void ChooseCliff(PropertiesOptions& options) {
  options.checkBox3.checked = true;
  options.checkBox4.checked = false;
  Enable(options, {RadioButton3, RadioButton5}, true);
  Enable(options, {RadioButton4, RadioButton6, CheckBox1, CheckBox2}, false);
}

void ChooseCliffEdge(PropertiesOptions& options) {
  options.checkBox4.checked = true;
  options.checkBox3.checked = false;
  Enable(options, {RadioButton4, RadioButton6, CheckBox1, CheckBox2}, true);
  Enable(options, {RadioButton3, RadioButton5}, false);
}

void SelectRadio(PropertiesOptions& options, const OptionControlInfo& clicked) {
  for (const OptionControlInfo& other : kOptionControls) {
    if (other.kind == RadioButton && other.tab == clicked.tab && other.place == clicked.place) {
      (options.*other.control).checked = other.id == clicked.id;
    }
  }
}

// The rules that follow a click on a radio button.
void AfterRadioClick(PropertiesOptions& options, OptionId id) {
  switch (id) {
    case RadioButton9:  // cave "Top": no space after a top edge
      options.checkBox5.checked = false;
      options.checkBox5.enabled = false;
      break;
    case RadioButton7:  // "Main" and "Bottom" allow "Space" again, as it was left
    case RadioButton8:
      options.checkBox5.enabled = true;
      break;
    default:
      break;
  }
}

int CliffTag(const PropertiesOptions& options) {
  if (options.checkBox3.checked) return options.radioButton3.checked ? kTagLeftCliff : kTagRightCliff;
  const CliffEdgeTags& edge = options.radioButton4.checked ? kLeftEdgeTags : kRightEdgeTags;
  // "Double" counts only together with "Jumping Soldiers".
  if (!options.checkBox2.checked) return edge.regular;
  return options.checkBox1.checked ? edge.doubleWithSoldiers : edge.jumpingSoldiers;
}

int CaveTag(const PropertiesOptions& options) {
  const bool space = options.checkBox5.checked;
  if (options.radioButton7.checked) return space ? kTagCaveMainWithSpace : kTagCaveMainWithoutSpace;
  if (options.radioButton8.checked) return space ? kTagCaveBottomWithSpace : kTagCaveBottomWithoutSpace;
  return kTagCaveTopEdge;
}

int RoadTag(const PropertiesOptions& options) {
  if (options.radioButton16.checked) return kTagTopEdging;
  if (options.radioButton17.checked) return kTagBottomEdging;
  if (options.radioButton18.checked) return kTagRoadMarking;
  return kTagFullRoad;
}

}  // namespace

std::span<const OptionControlInfo> OptionControls() { return kOptionControls; }

const OptionControlInfo& InfoOf(OptionId id) {
  for (const OptionControlInfo& info : kOptionControls) {
    if (info.id == id) return info;
  }
  return kOptionControls.front();  // every id has a row (checked by the tests)
}

void ClickOption(PropertiesOptions& options, OptionId id) {
  const OptionControlInfo& info = InfoOf(id);
  OptionControl& control = options.*info.control;
  if (!control.enabled) return;
  if (info.kind == RadioButton) {
    SelectRadio(options, info);
    AfterRadioClick(options, id);
    return;
  }
  control.checked = !control.checked;
  ReleaseMouseOverOption(options, id);
}

void ReleaseMouseOverOption(PropertiesOptions& options, OptionId id) {
  if (!ControlOf(options, id).enabled) return;
  if (id == CheckBox3) ChooseCliff(options);
  if (id == CheckBox4) ChooseCliffEdge(options);
}

void ToggleOptionFromKeyboard(PropertiesOptions& options, OptionId id) {
  const OptionControlInfo& info = InfoOf(id);
  OptionControl& control = options.*info.control;
  if (info.kind != CheckBox || !control.enabled) return;
  control.checked = !control.checked;
}

std::optional<int> TagOfTab(PropertiesTab tab, const PropertiesOptions& options) {
  switch (tab) {
    case Tab::Hut:
      return options.radioButton1.checked ? kTagSmallHut : kTagLargeHut;
    case Tab::Cliff:
      return CliffTag(options);
    case Tab::Cave:
      return CaveTag(options);
    case Tab::Alarm:
      return options.radioButton10.checked ? kTagAlarmOn : kTagAlarmOff;
    case Tab::Bridge:
      return options.checkBox6.checked ? kTagTunnelWithMotorbike : kTagTunnelWithoutMotorbike;
    case Tab::Rocket:
      return options.radioButton12.checked ? kTagRocketStart : kTagRocketEnd;
    case Tab::LogCrossing:
      return options.radioButton14.checked ? kTagCrossingLeft : kTagCrossingRight;
    case Tab::Road:
      return RoadTag(options);
    case Tab::Fortress:
      return options.checkBox7.checked ? kTagGateTopSoldiers : kTagNoGateTopSoldiers;
    case Tab::Wipe:
      break;
  }
  return std::nullopt;
}

}  // namespace kestrova

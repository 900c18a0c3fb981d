#include "edit/properties_rules.h"

namespace kestrova {

namespace {

using enum OptionId;
using enum OptionKind;
using enum OptionPlace;
using Tab = PropertiesTab;
using Options = PropertiesOptions;

// clang-format off
constexpr std::array<OptionControlInfo, 28> kOptionControls = {{
    {HutSmall, OneOfPlace, Tab::Hut, OnTab, "Small Hut", {85, 48, 113, 17}, [](Options& o) -> OptionControl& { return o.hut.small; }},
    {HutLarge, OneOfPlace, Tab::Hut, OnTab, "Large Hut", {85, 72, 113, 17}, [](Options& o) -> OptionControl& { return o.hut.large; }},
    {CliffChosen, OnOff, Tab::Cliff, CliffBox, "Cliff", {2, 8, 44, 17}, [](Options& o) -> OptionControl& { return o.cliff.chosen; }},
    {CliffRegular, OneOfPlace, Tab::Cliff, CliffBox, "Regular", {72, 8, 65, 17}, [](Options& o) -> OptionControl& { return o.cliff.regular; }},
    {CliffMirrored, OneOfPlace, Tab::Cliff, CliffBox, "Mirrored", {72, 24, 65, 17}, [](Options& o) -> OptionControl& { return o.cliff.mirrored; }},
    {CliffEdgeChosen, OnOff, Tab::Cliff, CliffEdgeBox, "Cliff Edge", {2, 8, 71, 17}, [](Options& o) -> OptionControl& { return o.cliffEdge.chosen; }},
    {CliffEdgeRegular, OneOfPlace, Tab::Cliff, CliffEdgeBox, "Regular", {72, 8, 57, 17}, [](Options& o) -> OptionControl& { return o.cliffEdge.regular; }},
    {CliffEdgeMirrored, OneOfPlace, Tab::Cliff, CliffEdgeBox, "Mirrored", {72, 24, 65, 17}, [](Options& o) -> OptionControl& { return o.cliffEdge.mirrored; }},
    {CliffEdgeDouble, OnOff, Tab::Cliff, CliffEdgeBox, "Double", {72, 40, 57, 17}, [](Options& o) -> OptionControl& { return o.cliffEdge.doubled; }},
    {CliffEdgeJumpingSoldiers, OnOff, Tab::Cliff, CliffEdgeBox, "Jumping Soldiers", {72, 56, 97, 17}, [](Options& o) -> OptionControl& { return o.cliffEdge.jumpingSoldiers; }},
    {CaveMain, OneOfPlace, Tab::Cave, OnTab, "Main", {85, 32, 113, 17}, [](Options& o) -> OptionControl& { return o.cave.main; }},
    {CaveBottom, OneOfPlace, Tab::Cave, OnTab, "Bottom", {85, 48, 113, 17}, [](Options& o) -> OptionControl& { return o.cave.bottom; }},
    {CaveTop, OneOfPlace, Tab::Cave, OnTab, "Top", {85, 64, 113, 17}, [](Options& o) -> OptionControl& { return o.cave.top; }},
    {CaveSpace, OnOff, Tab::Cave, OnTab, "Space", {85, 88, 97, 17}, [](Options& o) -> OptionControl& { return o.cave.space; }},
    {AlarmOn, OneOfPlace, Tab::Alarm, OnTab, "Set Alarm ON", {85, 48, 113, 17}, [](Options& o) -> OptionControl& { return o.alarm.on; }},
    {AlarmOff, OneOfPlace, Tab::Alarm, OnTab, "Set Alarm OFF", {85, 72, 113, 17}, [](Options& o) -> OptionControl& { return o.alarm.off; }},
    {BridgeMotorbike, OnOff, Tab::Bridge, OnTab, "Motorbike", {93, 60, 97, 17}, [](Options& o) -> OptionControl& { return o.bridge.motorbike; }},
    {RocketStart, OneOfPlace, Tab::Rocket, OnTab, "Start Rocket Launcher Attack", {57, 48, 169, 17}, [](Options& o) -> OptionControl& { return o.rocket.start; }},
    {RocketFinish, OneOfPlace, Tab::Rocket, OnTab, "Finish Rocket Launcher Attack", {57, 72, 169, 17}, [](Options& o) -> OptionControl& { return o.rocket.finish; }},
    {LogCrossingLeft, OneOfPlace, Tab::LogCrossing, OnTab, "Left Crossing", {85, 48, 113, 17}, [](Options& o) -> OptionControl& { return o.logCrossing.left; }},
    {LogCrossingRight, OneOfPlace, Tab::LogCrossing, OnTab, "Right Crossing", {85, 72, 113, 17}, [](Options& o) -> OptionControl& { return o.logCrossing.right; }},
    {RoadTopEdging, OneOfPlace, Tab::Road, OnTab, "Top Edging", {85, 36, 113, 17}, [](Options& o) -> OptionControl& { return o.road.topEdging; }},
    {RoadBottomEdging, OneOfPlace, Tab::Road, OnTab, "Bottom Edging", {85, 52, 113, 17}, [](Options& o) -> OptionControl& { return o.road.bottomEdging; }},
    {RoadMarking, OneOfPlace, Tab::Road, OnTab, "Road Marking", {85, 68, 113, 17}, [](Options& o) -> OptionControl& { return o.road.marking; }},
    {RoadFull, OneOfPlace, Tab::Road, OnTab, "Full Road", {85, 84, 113, 17}, [](Options& o) -> OptionControl& { return o.road.full; }},
    {FortressSoldiersOnWalls, OnOff, Tab::Fortress, OnTab, "Soldiers on Walls", {89, 60, 105, 17}, [](Options& o) -> OptionControl& { return o.fortress.soldiersOnWalls; }},
    {WipeCurrentLevel, OneOfPlace, Tab::Wipe, OnTab, "Current Level (Leaving Spaces)", {76, 46, 173, 17}, [](Options& o) -> OptionControl& { return o.wipe.currentLevel; }},
    {WipeAllAfterCurrentLevel, OneOfPlace, Tab::Wipe, OnTab, "ALL after current Level", {76, 73, 132, 17}, [](Options& o) -> OptionControl& { return o.wipe.allAfterCurrentLevel; }},
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

void Enable(PropertiesOptions& options, std::initializer_list<OptionId> ids, bool enabled) {
  for (OptionId id : ids) ControlOf(options, id).enabled = enabled;
}

// "Cliff" and "Cliff Edge" act as one choice: the box released over is
// checked, the other unchecked, and only the chosen box's options enabled.
void ChooseCliff(PropertiesOptions& options) {
  options.cliff.chosen.checked = true;
  options.cliffEdge.chosen.checked = false;
  Enable(options, {CliffRegular, CliffMirrored}, true);
  Enable(options, {CliffEdgeRegular, CliffEdgeMirrored, CliffEdgeDouble, CliffEdgeJumpingSoldiers}, false);
}

void ChooseCliffEdge(PropertiesOptions& options) {
  options.cliffEdge.chosen.checked = true;
  options.cliff.chosen.checked = false;
  Enable(options, {CliffEdgeRegular, CliffEdgeMirrored, CliffEdgeDouble, CliffEdgeJumpingSoldiers}, true);
  Enable(options, {CliffRegular, CliffMirrored}, false);
}

void SelectRadio(PropertiesOptions& options, const OptionControlInfo& clicked) {
  for (const OptionControlInfo& other : kOptionControls) {
    if (other.kind == OneOfPlace && other.tab == clicked.tab && other.place == clicked.place) {
      other.control(options).checked = other.id == clicked.id;
    }
  }
}

// The rules that follow a click on a radio button.
void AfterRadioClick(PropertiesOptions& options, OptionId id) {
  switch (id) {
    case CaveTop:  // cave "Top": no space after a top edge
      options.cave.space.checked = false;
      options.cave.space.enabled = false;
      break;
    case CaveMain:  // "Main" and "Bottom" allow "Space" again, as it was left
    case CaveBottom:
      options.cave.space.enabled = true;
      break;
    default:
      break;
  }
}

int CliffTag(const PropertiesOptions& options) {
  if (options.cliff.chosen.checked) return options.cliff.regular.checked ? kTagLeftCliff : kTagRightCliff;
  const CliffEdgeTags& edge = options.cliffEdge.regular.checked ? kLeftEdgeTags : kRightEdgeTags;
  // "Double" counts only together with "Jumping Soldiers".
  if (!options.cliffEdge.jumpingSoldiers.checked) return edge.regular;
  return options.cliffEdge.doubled.checked ? edge.doubleWithSoldiers : edge.jumpingSoldiers;
}

int CaveTag(const PropertiesOptions& options) {
  const bool space = options.cave.space.checked;
  if (options.cave.main.checked) return space ? kTagCaveMainWithSpace : kTagCaveMainWithoutSpace;
  if (options.cave.bottom.checked) return space ? kTagCaveBottomWithSpace : kTagCaveBottomWithoutSpace;
  return kTagCaveTopEdge;
}

int RoadTag(const PropertiesOptions& options) {
  if (options.road.topEdging.checked) return kTagTopEdging;
  if (options.road.bottomEdging.checked) return kTagBottomEdging;
  if (options.road.marking.checked) return kTagRoadMarking;
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

OptionControl& ControlOf(PropertiesOptions& options, OptionId id) { return InfoOf(id).control(options); }

// The table's fields are reached through one accessor; this one only reads.
const OptionControl& ControlOf(const PropertiesOptions& options, OptionId id) {
  return ControlOf(const_cast<PropertiesOptions&>(options), id);
}

void ClickOption(PropertiesOptions& options, OptionId id) {
  const OptionControlInfo& info = InfoOf(id);
  OptionControl& control = info.control(options);
  if (!control.enabled) return;
  if (info.kind == OneOfPlace) {
    SelectRadio(options, info);
    AfterRadioClick(options, id);
    return;
  }
  control.checked = !control.checked;
  ReleaseMouseOverOption(options, id);
}

void ReleaseMouseOverOption(PropertiesOptions& options, OptionId id) {
  if (!ControlOf(options, id).enabled) return;
  if (id == CliffChosen) ChooseCliff(options);
  if (id == CliffEdgeChosen) ChooseCliffEdge(options);
}

void ToggleOptionFromKeyboard(PropertiesOptions& options, OptionId id) {
  const OptionControlInfo& info = InfoOf(id);
  OptionControl& control = info.control(options);
  if (info.kind != OnOff || !control.enabled) return;
  control.checked = !control.checked;
}

std::optional<int> TagOfTab(PropertiesTab tab, const PropertiesOptions& options) {
  switch (tab) {
    case Tab::Hut:
      return options.hut.small.checked ? kTagSmallHut : kTagLargeHut;
    case Tab::Cliff:
      return CliffTag(options);
    case Tab::Cave:
      return CaveTag(options);
    case Tab::Alarm:
      return options.alarm.on.checked ? kTagAlarmOn : kTagAlarmOff;
    case Tab::Bridge:
      return options.bridge.motorbike.checked ? kTagTunnelWithMotorbike : kTagTunnelWithoutMotorbike;
    case Tab::Rocket:
      return options.rocket.start.checked ? kTagRocketStart : kTagRocketEnd;
    case Tab::LogCrossing:
      return options.logCrossing.left.checked ? kTagCrossingLeft : kTagCrossingRight;
    case Tab::Road:
      return RoadTag(options);
    case Tab::Fortress:
      return options.fortress.soldiersOnWalls.checked ? kTagGateTopSoldiers : kTagNoGateTopSoldiers;
    case Tab::Wipe:
      break;
  }
  return std::nullopt;
}

}  // namespace kestrova

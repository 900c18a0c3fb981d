#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "edit/properties_options.h"
#include "edit/properties_tabs.h"

namespace kestrova {

// ---- The dialog's controls ----

// One choice of the dialog, named after its tab and what it chooses, in
// page order.
enum class OptionId {
  HutSmall,
  HutLarge,
  CliffChosen,
  CliffRegular,
  CliffMirrored,
  CliffEdgeChosen,
  CliffEdgeRegular,
  CliffEdgeMirrored,
  CliffEdgeDouble,
  CliffEdgeJumpingSoldiers,
  CaveMain,
  CaveBottom,
  CaveTop,
  CaveSpace,
  AlarmOn,
  AlarmOff,
  BridgeMotorbike,
  RocketStart,
  RocketFinish,
  LogCrossingLeft,
  LogCrossingRight,
  RoadTopEdging,
  RoadBottomEdging,
  RoadMarking,
  RoadFull,
  FortressSoldiersOnWalls,
  WipeCurrentLevel,
  WipeAllAfterCurrentLevel,
};

// A radio button (one of its place) or a check box (on or off by itself).
enum class OptionKind { OneOfPlace, OnOff };

// Where a control sits: directly on its tab, or in one of the "Cliff" tab's
// two group boxes. Radio buttons exclude each other within one place.
enum class OptionPlace { OnTab, CliffBox, CliffEdgeBox };

struct ControlBounds {
  int left;
  int top;
  int width;
  int height;
};

struct OptionControlInfo {
  OptionId id;
  OptionKind kind;
  PropertiesTab tab;
  OptionPlace place;
  std::string_view caption;
  ControlBounds bounds;                           // inside the tab or the group box
  OptionControl& (*control)(PropertiesOptions&);  // the model's field
};

// Every control of the table, in page order.
std::span<const OptionControlInfo> OptionControls();

// The "Cliff" tab's two group boxes (no captions), inside the tab.
inline constexpr ControlBounds kCliffBoxBounds{49, 6, 185, 46};
inline constexpr ControlBounds kCliffEdgeBoxBounds{49, 54, 185, 77};

// The dialog itself.
inline constexpr std::string_view kPropertiesCaption = "Properties";
inline constexpr int kPropertiesClientWidth = 310;
inline constexpr int kPropertiesClientHeight = 232;
inline constexpr int kPropertiesLeft = 175;
inline constexpr int kPropertiesTop = 188;
inline constexpr ControlBounds kPropertiesPagesBounds{8, 10, 291, 183};
inline constexpr std::string_view kCloseCaption = "Close";
inline constexpr ControlBounds kCloseBounds{117, 200, 75, 25};

const OptionControlInfo& InfoOf(OptionId id);

// The model's field for a control.
OptionControl& ControlOf(PropertiesOptions& options, OptionId id);
const OptionControl& ControlOf(const PropertiesOptions& options, OptionId id);

// Whether the dialog shows and on which tab: hidden at program start with
// its tabs invisible, the "Wipe" tab the current one.
struct PropertiesDialogState {
  bool visible = false;
  bool pageControlVisible = false;
  PropertiesTab currentTab = PropertiesTab::Wipe;

  bool operator==(const PropertiesDialogState&) const = default;
};

// ---- Click rules ----

// A click on a control by the mouse (or the keyboard for a radio button):
// a radio button is checked and the others of its place unchecked; a check
// box toggles and, for the two cliff boxes, the release rule follows. Then
// the control's own rule. Disabled controls take no clicks. The wipe
// radios' effect on "Wipe Level(s)" is the editor's (it needs the level
// table); this only sets the radios.
void ClickOption(PropertiesOptions& options, OptionId id);

// A mouse button released over a control without a click: only the two
// cliff boxes have a rule for it ("Cliff" or "Cliff Edge" becomes the one
// choice of the tab).
void ReleaseMouseOverOption(PropertiesOptions& options, OptionId id);

// A check box toggled from the keyboard: that box changes and nothing else.
void ToggleOptionFromKeyboard(PropertiesOptions& options, OptionId id);

// ---- Tab decisions ----

// The insertion tag the options of `tab` give a palette press, tested in
// the order the tab's choices are written. Nothing for the "Wipe" tab.
std::optional<int> TagOfTab(PropertiesTab tab, const PropertiesOptions& options);

}  // namespace kestrova

#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "edit/properties_options.h"
#include "edit/properties_tabs.h"

namespace kestrova {

// ---- The dialog's controls ----

enum class OptionId {
  RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5, RadioButton6, RadioButton7,
  RadioButton8, RadioButton9, RadioButton10, RadioButton11, RadioButton12, RadioButton13, RadioButton14,
  RadioButton15, RadioButton16, RadioButton17, RadioButton18, RadioButton19, RadioButton20, RadioButton21,
  CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5, CheckBox6, CheckBox7,
};

enum class OptionKind { RadioButton, CheckBox };

// Where a control sits: directly on its tab, or in one of the "Cliff" tab's
// two group boxes. Radio buttons exclude each other within one place.
enum class OptionPlace { OnTab, GroupBox1, GroupBox2 };

struct ControlBounds {
  int left;
  int top;
  int width;
  int height;
};

struct OptionControlInfo {
  OptionId id;
  std::string_view name;  // the objectName
  OptionKind kind;
  PropertiesTab tab;
  OptionPlace place;
  std::string_view caption;
  ControlBounds bounds;  // inside the tab or the group box
  OptionControl PropertiesOptions::*control;
};

// Every control of the table, in page order.
std::span<const OptionControlInfo> OptionControls();

// The "Cliff" tab's two group boxes (no captions), inside the tab.
inline constexpr ControlBounds kGroupBox1Bounds{49, 6, 185, 46};
inline constexpr ControlBounds kGroupBox2Bounds{49, 54, 185, 77};

// The dialog itself.
inline constexpr std::string_view kPropertiesCaption = "Properties";
inline constexpr int kPropertiesClientWidth = 310;
inline constexpr int kPropertiesClientHeight = 232;
inline constexpr int kPropertiesLeft = 175;
inline constexpr int kPropertiesTop = 188;
inline constexpr ControlBounds kPageControl1Bounds{8, 10, 291, 183};
inline constexpr std::string_view kCloseCaption = "Close";
inline constexpr ControlBounds kCloseBounds{117, 200, 75, 25};

const OptionControlInfo& InfoOf(OptionId id);

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

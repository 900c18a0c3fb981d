#pragma once

namespace kestrova {

// One radio button or check box of the "Properties" dialog.
struct OptionControl {
  bool checked = false;
  bool enabled = true;

  bool operator==(const OptionControl&) const = default;
};

// The "Properties" dialog's options as plain data, one field per control,
// named after its objectName, holding its design state. The dialog shows
// them; the palette and the wipe read them.
struct PropertiesOptions {
  // "Hut"
  OptionControl radioButton1{true, true};   // "Small Hut"
  OptionControl radioButton2{false, true};  // "Large Hut"
  // "Cliff": GroupBox1
  OptionControl checkBox3{true, true};      // "Cliff"
  OptionControl radioButton3{true, true};   // "Regular"
  OptionControl radioButton5{false, true};  // "Mirrored"
  // "Cliff": GroupBox2
  OptionControl checkBox4{false, true};      // "Cliff Edge"
  OptionControl radioButton4{true, false};   // "Regular"
  OptionControl radioButton6{false, false};  // "Mirrored"
  OptionControl checkBox1{false, false};     // "Double"
  OptionControl checkBox2{false, false};     // "Jumping Soldiers"
  // "Cave"
  OptionControl radioButton7{true, true};   // "Main"
  OptionControl radioButton8{false, true};  // "Bottom"
  OptionControl radioButton9{false, true};  // "Top"
  OptionControl checkBox5{true, true};      // "Space"
  // "Alarm"
  OptionControl radioButton10{true, true};   // "Set Alarm ON"
  OptionControl radioButton11{false, true};  // "Set Alarm OFF"
  // "Bridge"
  OptionControl checkBox6{true, true};  // "Motorbike"
  // "Rocket"
  OptionControl radioButton12{true, true};   // "Start Rocket Launcher Attack"
  OptionControl radioButton13{false, true};  // "Finish Rocket Launcher Attack"
  // "Log Crossing"
  OptionControl radioButton14{true, true};   // "Left Crossing"
  OptionControl radioButton15{false, true};  // "Right Crossing"
  // "Road"
  OptionControl radioButton16{false, true};  // "Top Edging"
  OptionControl radioButton17{false, true};  // "Bottom Edging"
  OptionControl radioButton18{false, true};  // "Road Marking"
  OptionControl radioButton19{true, true};   // "Full Road"
  // "Fortress"
  OptionControl checkBox7{false, true};  // "Soldiers on Walls"
  // "Wipe"
  OptionControl radioButton20{true, true};   // "Current Level (Leaving Spaces)"
  OptionControl radioButton21{false, true};  // "ALL after current Level"

  bool WipeAllAfterCurrentLevel() const { return radioButton21.checked; }

  bool operator==(const PropertiesOptions&) const = default;
};

}  // namespace kestrova

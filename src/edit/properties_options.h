#pragma once

namespace kestrova {

// One radio button or check box of the "Properties" dialog.
struct OptionControl {
  bool checked = false;
  bool enabled = true;

  bool operator==(const OptionControl&) const = default;
};

// The "Properties" dialog's options as plain data, one group per tab and one
// field per choice, holding its design state. The dialog shows them; the
// palette and the wipe read them.
struct PropertiesOptions {
  struct Hut {
    OptionControl small{true, true};   // "Small Hut"
    OptionControl large{false, true};  // "Large Hut"
    bool operator==(const Hut&) const = default;
  };
  // The "Cliff" tab's first box: a plain cliff and which way it faces.
  struct Cliff {
    OptionControl chosen{true, true};     // "Cliff"
    OptionControl regular{true, true};    // "Regular"
    OptionControl mirrored{false, true};  // "Mirrored"
    bool operator==(const Cliff&) const = default;
  };
  // The "Cliff" tab's second box, disabled until "Cliff Edge" is chosen.
  struct CliffEdge {
    OptionControl chosen{false, true};            // "Cliff Edge"
    OptionControl regular{true, false};           // "Regular"
    OptionControl mirrored{false, false};         // "Mirrored"
    OptionControl doubled{false, false};          // "Double"
    OptionControl jumpingSoldiers{false, false};  // "Jumping Soldiers"
    bool operator==(const CliffEdge&) const = default;
  };
  struct Cave {
    OptionControl main{true, true};     // "Main"
    OptionControl bottom{false, true};  // "Bottom"
    OptionControl top{false, true};     // "Top"
    OptionControl space{true, true};    // "Space"
    bool operator==(const Cave&) const = default;
  };
  struct Alarm {
    OptionControl on{true, true};    // "Set Alarm ON"
    OptionControl off{false, true};  // "Set Alarm OFF"
    bool operator==(const Alarm&) const = default;
  };
  struct Bridge {
    OptionControl motorbike{true, true};  // "Motorbike"
    bool operator==(const Bridge&) const = default;
  };
  struct Rocket {
    OptionControl start{true, true};    // "Start Rocket Launcher Attack"
    OptionControl finish{false, true};  // "Finish Rocket Launcher Attack"
    bool operator==(const Rocket&) const = default;
  };
  struct LogCrossing {
    OptionControl left{true, true};    // "Left Crossing"
    OptionControl right{false, true};  // "Right Crossing"
    bool operator==(const LogCrossing&) const = default;
  };
  struct Road {
    OptionControl topEdging{false, true};     // "Top Edging"
    OptionControl bottomEdging{false, true};  // "Bottom Edging"
    OptionControl marking{false, true};       // "Road Marking"
    OptionControl full{true, true};           // "Full Road"
    bool operator==(const Road&) const = default;
  };
  struct Fortress {
    OptionControl soldiersOnWalls{false, true};  // "Soldiers on Walls"
    bool operator==(const Fortress&) const = default;
  };
  struct Wipe {
    OptionControl currentLevel{true, true};           // "Current Level (Leaving Spaces)"
    OptionControl allAfterCurrentLevel{false, true};  // "ALL after current Level"
    bool operator==(const Wipe&) const = default;
  };

  Hut hut;
  Cliff cliff;
  CliffEdge cliffEdge;
  Cave cave;
  Alarm alarm;
  Bridge bridge;
  Rocket rocket;
  LogCrossing logCrossing;
  Road road;
  Fortress fortress;
  Wipe wipe;

  bool WipeAllAfterCurrentLevel() const { return wipe.allAfterCurrentLevel.checked; }

  bool operator==(const PropertiesOptions&) const = default;
};

}  // namespace kestrova

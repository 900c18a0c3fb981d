#pragma once

namespace kestrova {

// The captions of the window's commands that change the image without a
// popup item: the undo history names their steps after them.
inline constexpr const char* kWipeLevelsCaption = "Wipe Level(s)";  // Button1
inline constexpr const char* kSpawnCaption = "Spawn";                // "Options" > "Kestrova"
inline constexpr const char* kLivesCaption = "Lives";                // "Options" > "Kestrova"
inline constexpr const char* kDelayCaption = "Delay";                // "Options" > "Enemy"
inline constexpr const char* kFortressByteCaption = "Fortress Byte";  // UpDown1 beside Label2

}  // namespace kestrova

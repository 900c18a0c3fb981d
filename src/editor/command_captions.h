#pragma once

namespace kestrova {

inline constexpr const char* kProgramCaption = "Xev Kestrova Editor";
inline constexpr const char* kUndoCaption = "Undo";
inline constexpr const char* kRedoCaption = "Redo";

// The captions of the window's commands that change the image without a
// popup item: the undo history names their steps after them.
inline constexpr const char* kWipeLevelsCaption = "Wipe Level(s)";    // the wipe button
inline constexpr const char* kSpawnCaption = "Spawn";                 // "Options" > "Kestrova"
inline constexpr const char* kLivesCaption = "Lives";                 // "Options" > "Kestrova"
inline constexpr const char* kDelayCaption = "Delay";                 // "Options" > "Enemy"
inline constexpr const char* kFortressByteCaption = "Fortress Byte";  // the up-down beside the fortress caption

}  // namespace kestrova

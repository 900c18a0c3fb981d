#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "edit/menu_model.h"
#include "edit/pointer_state.h"
#include "level/level_stream.h"
#include "snapshot/snapshot_image.h"

namespace kestrova {

constexpr int kInsertionTagCount = 50;

// A tag that writes one record: its code, the operand limits, and (through
// the operand steps) its operand.
struct TwoByteTag {
  int tag;
  std::string_view caption;  // the Insert menu's caption
  std::uint8_t code;
  int minimum;
  int maximum;
};

constexpr TwoByteTag kTwoByteTags[] = {
    {0, "Land Space", 0x00, 1, 255},
    {1, "Tree", 0x83, 1, 30},
    {2, "Boulder", 0x87, 0, 29},
    {3, "Sandbags LHS", 0x8A, 0, 30},
    {4, "Sandbags MIDDLE", 0x8B, 0, 29},
    {5, "Sandbags RHS", 0x8C, 0, 30},
    {6, "Single Grenade", 0x0F, 0, 30},
    {7, "Triple Grenade", 0x10, 0, 29},
    {8, "Quintuple Grenade", 0x11, 0, 29},
    {9, "Trench LHS", 0x23, 0, 30},
    {10, "Trench MIDDLE", 0x24, 0, 28},
    {11, "Trench RHS", 0x25, 0, 30},
    {12, "Left Mortar", 0x12, 0, 30},
    {13, "Right Mortar", 0x13, 0, 30},
    {14, "Left Cliff", 0x82, 0, 26},
    {15, "Right Cliff", 0x82, 0, 26},
    {16, "Regular Left Edge", 0x26, 0, 31},
    {17, "Left Edge with Jumping Soldiers", 0x26, 0, 31},
    {18, "Regular Right Edge", 0x26, 0, 31},
    {19, "Right Edge with Jumping Soldiers", 0x26, 0, 31},
    {20, "Lorry", 0x1A, 0, 0},
    {21, "Motorbike", 0x1B, 0, 0},
    {22, "Jeep", 0x1C, 0, 0},
    {23, "Prisoner of War", 0x20, 0, 0},
    {24, "Barracks", 0x95, 0, 0},
    {25, "Bunker", 0x81, 0, 26},
    {26, "Small Hut", 0x94, 0, 26},
    {27, "Large Hut", 0x94, 1, 25},
    {29, "Cave Bottom Without Space", 0x1F, 0, 26},
    {31, "Cave Main Without Space", 0x1E, 0, 26},
    {32, "Cave Top Edge", 0x1D, 0, 26},
    {35, "Set Alarm ON", 0x27, 0, 0},
    {36, "Set Alarm OFF", 0x27, 0, 0},
    {37, "Spawn Point", 0x22, 0, 0},
    {38, "Rocket Launcher Attack", 0x28, 1, 255},
    {39, "Rocket Launcher End", 0x28, 1, 255},
    {42, "Left Edge with Jumping Soldiers", 0x26, 0, 31},
    {43, "Right Edge with Jumping Soldiers", 0x26, 0, 31},
    {44, "Top Edging", 0x06, 0, 31},
    {45, "Bottom Edging", 0x05, 0, 31},
    {46, "Road Marking", 0x04, 0, 30},
};

// Operand steps 2..8, each the list of tags it applies to, run in this order
// after step 1 (the pointer column clamped to the tag's limits).
constexpr std::array<int, 2> kDoubleCliffTags = {42, 43};              // + 0x20
constexpr std::array<int, 5> kMirroredTags = {15, 18, 19, 27, 43};     // + 0x80
constexpr std::array<int, 4> kJumpingSoldiersTags = {17, 19, 42, 43};  // + 0x40
constexpr std::array<int, 1> kAlarmOnTags = {35};                      // := 1
constexpr std::array<int, 2> kRoadEdgingTags = {44, 45};               // 0 or 16
constexpr std::array<int, 3> kZeroOperandTags = {36, 37, 39};          // := 0
constexpr int kRoadEdgingHalf = 16;

// Step 8: the tags whose operand is asked for.
struct PromptedTag {
  int tag;
  std::string_view title;
  std::string_view message;  // followed by the range text
};
constexpr std::array<PromptedTag, 2> kPromptedTags = {{
    {38, "Attack Ferocity", "Enter Attack Ferocity "},
    {0, "Land Space", "Enter Distance "},
}};

// A tag that writes a fixed group of records.
struct GroupTag {
  int tag;
  std::string_view caption;
  MenuCommand command;
  std::uint8_t size;
  std::array<std::uint8_t, 34> bytes;
  bool columnInSecondByte;  // byte 1 is the pointer column clamped to 0..26
};

constexpr int kGroupColumnMinimum = 0;
constexpr int kGroupColumnMaximum = 26;

constexpr std::array<GroupTag, 9> kGroupTags = {{
    {28, "Cave Bottom With Space", MenuCommand::InsertCaveWithSpace, 4, {0x1F, 0x00, 0x00, 0x03}, true},
    {30, "Cave Main With Space", MenuCommand::InsertCaveWithSpace, 4, {0x1E, 0x00, 0x00, 0x13}, true},
    {33,
     "Log Crossing Left",
     MenuCommand::InsertLogCrossing,
     14,
     {0x98, 0x08, 0x00, 0x02, 0x0D, 0x10, 0x00, 0x19, 0x19, 0x10, 0x00, 0x05, 0x0E, 0x10},
     false},
    {34,
     "Log Crossing Right",
     MenuCommand::InsertLogCrossing,
     14,
     {0x98, 0x10, 0x00, 0x02, 0x0D, 0x08, 0x00, 0x19, 0x19, 0x08, 0x00, 0x05, 0x0E, 0x08},
     false},
    {40,
     "Tunnel without Motorbike",
     MenuCommand::InsertTunnelWithoutMotorbike,
     14,
     {0x09, 0x0B, 0x09, 0x1F, 0x96, 0x0C, 0x00, 0x17, 0x17, 0x1F, 0x00, 0x0C, 0x08, 0x1F},
     false},
    {41,
     "Tunnel with Motorbike",
     MenuCommand::InsertTunnelWithMotorbike,
     18,
     {0x09, 0x0B, 0x09, 0x1F, 0x96, 0x0C, 0x00, 0x17, 0x17, 0x1F, 0x00, 0x01, 0x1B, 0x3C, 0x00, 0x0B, 0x08, 0x1F},
     false},
    {47,
     "Full Road",
     MenuCommand::InsertFullRoad,
     34,
     {0x05, 0x10, 0x00, 0x32, 0x04, 0x1B, 0x00, 0x0C, 0x05, 0x00, 0x00, 0x0C, 0x04, 0x15, 0x00, 0x06, 0x06,
      0x10, 0x00, 0x12, 0x04, 0x0F, 0x00, 0x18, 0x04, 0x09, 0x00, 0x13, 0x06, 0x00, 0x00, 0x05, 0x04, 0x03},
     false},
    {48,
     "No Gate Top Soldiers",
     MenuCommand::InsertFortress,
     10,
     {0x09, 0x0B, 0x09, 0x1F, 0x21, 0x14, 0x00, 0x16, 0x22, 0x01},
     false},
    {49,
     "Gate Top Soldiers",
     MenuCommand::InsertFortress,
     10,
     {0x09, 0x0B, 0x09, 0x1F, 0x21, 0x14, 0x00, 0x1E, 0x22, 0x01},
     false},
}};

const TwoByteTag* FindTwoByteTag(int tag);
const GroupTag* FindGroupTag(int tag);
// The bytes a group tag writes at the given pointer column: its fixed bytes,
// with the column clamped to the group limits in byte 1 where the group
// carries one (the demo game builds its groups from these too).
std::vector<std::uint8_t> GroupBytes(const GroupTag& group, int column);

// Bytes the tag writes: 2, the group's size, or 0 for a tag in neither table.
int InsertionSize(int tag);
// Why the tag cannot go in: "Tunnel with Motorbike needs 18 bytes; 6 are free".
std::string TooFewBytesReason(int tag, std::int32_t needed, std::int32_t bytesFree);
std::string_view InsertionCaption(int tag);
// The insertion command a menu leaf with this tag runs.
MenuCommand InsertionCommand(int tag);
bool IsFortressTag(int tag);
const PromptedTag* FindPromptedTag(int tag);

// Operand steps 1..7 of a two-byte tag for the given pointer column; the
// result before its low 8 bits are taken.
int ClampColumn(int column, int minimum, int maximum);
int TwoByteOperand(const TwoByteTag& entry, int column);

// Asked for the prompted operand of tags 0 and 38 (the gap is open and the
// code byte written when it is called).
using AskOperand = std::function<int(const PromptedTag& prompt, int minimum, int maximum)>;

// Writes the tag's bytes at p, into a gap the caller has opened. Sets the
// operand limits and leaves the operand written (after the cave groups the
// clamped column) in the pointer column, as the editor state keeps them.
// Returns false for a tag in neither table (nothing written).
bool WriteInsertion(SnapshotImage& image, PointerState& state, int tag, std::uint32_t p, const AskOperand& ask);

}  // namespace kestrova

#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "level/level_addresses.h"
#include "snapshot/snapshot_image.h"

namespace kestrova {

// The level stream is not wrapped in a type: records are reached by Spectrum
// address through the image. Every record is two bytes, code then operand;
// the end-of-levels marker is the only one-byte item.
constexpr std::uint32_t kRecordSize = 2;

enum class ObjectCode : std::uint8_t {
  LandSpace = 0x00,
  RoadMarking = 0x04,
  RoadBottomEdging = 0x05,
  RoadTopEdging = 0x06,
  BridgeSection = 0x08,
  Wall = 0x09,
  Water = 0x0D,
  WaterStrip2 = 0x0E,
  SingleGrenade = 0x0F,
  TripleGrenade = 0x10,
  QuintupleGrenade = 0x11,
  LeftMortar = 0x12,
  RightMortar = 0x13,
  RoadOnBridge = 0x17,
  WaterStrip1 = 0x19,
  Truck = 0x1A,
  Motorbike = 0x1B,
  Jeep = 0x1C,
  CaveTopEdge = 0x1D,
  CaveMain = 0x1E,
  CaveBottomEdge = 0x1F,
  PrisonerOfWar = 0x20,
  FortressGates = 0x21,
  SpawnPoint = 0x22,
  TrenchLeft = 0x23,
  TrenchMiddle = 0x24,
  TrenchRight = 0x25,
  CliffEdge = 0x26,
  AlarmSwitch = 0x27,
  RocketLauncherAttack = 0x28,
  Bunker = 0x81,
  Cliff = 0x82,
  Tree = 0x83,
  Boulder = 0x87,
  SandbagsLeft = 0x8A,
  SandbagsMiddle = 0x8B,
  SandbagsRight = 0x8C,
  Hut = 0x94,
  Barracks = 0x95,
  Tunnel = 0x96,
  LogCrossing = 0x98,
  EndOfLevels = 0xFF,
};

// How a code's operand is read.
enum class OperandKind {
  Column,         // the object's left edge, a byte column
  RightColumn,    // the column at the object's right-hand side
  FlaggedColumn,  // bits 0-4 column, the other bits flags
  NotRead,        // the drawing ignores it
  Other,          // the object's own meaning (distance, on/off, ferocity...)
  None,           // the end-of-levels marker has no operand
};

struct ObjectCodeInfo {
  ObjectCode code;
  std::string_view object;
  OperandKind operand;
};

// Every code the editor knows; it neither draws, describes nor inserts any other.
inline constexpr std::array kObjectCodes = {
    ObjectCodeInfo{ObjectCode::LandSpace, "Land Space", OperandKind::Other},
    ObjectCodeInfo{ObjectCode::RoadMarking, "road marking", OperandKind::Column},
    ObjectCodeInfo{ObjectCode::RoadBottomEdging, "road bottom edging", OperandKind::Column},
    ObjectCodeInfo{ObjectCode::RoadTopEdging, "road top edging", OperandKind::Column},
    ObjectCodeInfo{ObjectCode::BridgeSection, "bridge section", OperandKind::RightColumn},
    ObjectCodeInfo{ObjectCode::Wall, "wall", OperandKind::RightColumn},
    ObjectCodeInfo{ObjectCode::Water, "water", OperandKind::NotRead},
    ObjectCodeInfo{ObjectCode::WaterStrip2, "water strip 2", OperandKind::NotRead},
    ObjectCodeInfo{ObjectCode::SingleGrenade, "single grenade", OperandKind::Column},
    ObjectCodeInfo{ObjectCode::TripleGrenade, "triple grenade", OperandKind::Column},
    ObjectCodeInfo{ObjectCode::QuintupleGrenade, "quintuple grenade", OperandKind::Column},
    ObjectCodeInfo{ObjectCode::LeftMortar, "left mortar", OperandKind::Column},
    ObjectCodeInfo{ObjectCode::RightMortar, "right mortar", OperandKind::Column},
    ObjectCodeInfo{ObjectCode::RoadOnBridge, "road drawn on a bridge", OperandKind::RightColumn},
    ObjectCodeInfo{ObjectCode::WaterStrip1, "water strip 1", OperandKind::NotRead},
    ObjectCodeInfo{ObjectCode::Truck, "truck", OperandKind::NotRead},
    ObjectCodeInfo{ObjectCode::Motorbike, "motorbike", OperandKind::NotRead},
    ObjectCodeInfo{ObjectCode::Jeep, "jeep", OperandKind::NotRead},
    ObjectCodeInfo{ObjectCode::CaveTopEdge, "cave top edge", OperandKind::Column},
    ObjectCodeInfo{ObjectCode::CaveMain, "cave main", OperandKind::Column},
    ObjectCodeInfo{ObjectCode::CaveBottomEdge, "cave bottom edge", OperandKind::Column},
    ObjectCodeInfo{ObjectCode::PrisonerOfWar, "prisoner of war", OperandKind::NotRead},
    ObjectCodeInfo{ObjectCode::FortressGates, "fortress gates", OperandKind::RightColumn},
    ObjectCodeInfo{ObjectCode::SpawnPoint, "spawn point", OperandKind::Other},
    ObjectCodeInfo{ObjectCode::TrenchLeft, "trench, left-hand part", OperandKind::Column},
    ObjectCodeInfo{ObjectCode::TrenchMiddle, "trench, middle part", OperandKind::Column},
    ObjectCodeInfo{ObjectCode::TrenchRight, "trench, right-hand part", OperandKind::Column},
    ObjectCodeInfo{ObjectCode::CliffEdge, "cliff edge", OperandKind::FlaggedColumn},
    ObjectCodeInfo{ObjectCode::AlarmSwitch, "alarm switch", OperandKind::Other},
    ObjectCodeInfo{ObjectCode::RocketLauncherAttack, "rocket-launcher attack", OperandKind::Other},
    ObjectCodeInfo{ObjectCode::Bunker, "bunker", OperandKind::Column},
    ObjectCodeInfo{ObjectCode::Cliff, "cliff", OperandKind::FlaggedColumn},
    ObjectCodeInfo{ObjectCode::Tree, "tree", OperandKind::Column},
    ObjectCodeInfo{ObjectCode::Boulder, "boulder", OperandKind::Column},
    ObjectCodeInfo{ObjectCode::SandbagsLeft, "sandbags, left-hand part", OperandKind::Column},
    ObjectCodeInfo{ObjectCode::SandbagsMiddle, "sandbags, middle part", OperandKind::Column},
    ObjectCodeInfo{ObjectCode::SandbagsRight, "sandbags, right-hand part", OperandKind::Column},
    ObjectCodeInfo{ObjectCode::Hut, "hut", OperandKind::FlaggedColumn},
    ObjectCodeInfo{ObjectCode::Barracks, "barracks", OperandKind::Column},
    ObjectCodeInfo{ObjectCode::Tunnel, "tunnel", OperandKind::Column},
    ObjectCodeInfo{ObjectCode::LogCrossing, "log crossing", OperandKind::Column},
    ObjectCodeInfo{ObjectCode::EndOfLevels, "end-of-levels marker", OperandKind::None},
};

// The table row of a code byte, or nothing for a code the editor does not know.
const ObjectCodeInfo* FindObjectCode(std::uint8_t code);

struct ObjectRecord {
  std::uint8_t code = 0;
  std::uint8_t operand = 0;
};

// The record at p: its code at p, its operand at p + 1.
inline ObjectRecord ReadRecord(const SnapshotImage& image, std::uint32_t p) {
  return {image.Read(p), image.Read(p + 1)};
}
inline void WriteRecord(SnapshotImage& image, std::uint32_t p, ObjectRecord record) {
  image.Write(p, record.code);
  image.Write(p + 1, record.operand);
}
constexpr std::uint32_t NextRecord(std::uint32_t p) { return p + kRecordSize; }

constexpr bool IsEndRecord(ObjectRecord record) {
  return record.code == kCodeSpawnPoint && record.operand == kOperandEndRecord;
}

// Flagged columns.
constexpr std::uint8_t kColumnBits = 0x1F;
constexpr std::uint8_t kDoubleCliffFlag = 0x20;      // cliff edge
constexpr std::uint8_t kJumpingSoldiersFlag = 0x40;  // cliff edge
constexpr std::uint8_t kMirroredFlag = 0x80;         // cliff edge and cliff
constexpr std::uint8_t kLargeHutFlag = 0x80;         // hut

constexpr int FlaggedColumn(std::uint8_t operand) { return operand & kColumnBits; }
constexpr bool IsMirrored(std::uint8_t operand) { return (operand & kMirroredFlag) != 0; }
constexpr bool IsDoubleCliff(std::uint8_t operand) { return (operand & kDoubleCliffFlag) != 0; }
constexpr bool HasJumpingSoldiers(std::uint8_t operand) { return (operand & kJumpingSoldiersFlag) != 0; }
constexpr bool IsLargeHut(std::uint8_t operand) { return (operand & kLargeHutFlag) != 0; }

// Land Space with operand n raises the current row by 2n + 2 pixel rows.
constexpr int LandSpaceRows(std::uint8_t operand) { return 2 * operand + 2; }

// Rocket-launcher attack: 0 ends an attack, 1-255 starts one with that ferocity.
constexpr bool EndsAttack(std::uint8_t operand) { return operand == 0; }

}  // namespace kestrova

#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "edit/insertion.h"
#include "level/level_table.h"
#include "snapshot/snapshot_image.h"

namespace kestrova {

// One record of a level as `list` shows it.
struct ListedRecord {
  std::uint32_t address = 0;
  std::int32_t row = 0;  // pixel rows from the level start
  std::uint8_t code = 0;
  std::uint8_t operand = 0;
  std::string description;          // the level listing's words
  const GroupTag* group = nullptr;  // the whole group it belongs to, if any
  std::uint32_t groupStart = 0;
};

struct ListedLevel {
  int number = 0;
  std::uint32_t start = 0;
  std::uint32_t end = 0;  // the end record
  std::int32_t height = 0;
  std::vector<ListedRecord> records;
};

// The whole group whose bytes begin at p and end at or before `end` + 1
// (a fortress closes its level with the end record), longest first.
const GroupTag* GroupAt(const SnapshotImage& image, std::uint32_t p, std::uint32_t end);

// The whole group the bytes are, exactly; nothing when they are none.
const GroupTag* GroupOfBytes(std::span<const std::uint8_t> bytes);

// One object of a level: a whole group, or a record on its own.
struct LevelUnit {
  std::uint32_t start = 0;
  std::uint32_t size = 0;
  const GroupTag* group = nullptr;
};

// The level's records from `start` up to its end record, as objects in level
// order. The end record is one only as the last record of a fortress group;
// with `withEnd` it is also one on its own.
std::vector<LevelUnit> LevelUnits(const SnapshotImage& image, std::uint32_t start, std::uint32_t end, bool withEnd);

// A group's name: its Insert menu caption, after its submenu's where the
// caption alone does not say what it is ("Fortress: Gate Top Soldiers").
std::string GroupName(const GroupTag& group);

// What a record is, in the level listing's words ("A tree in column 5"), a
// land space with its distance and rows; "an unknown code" for a code the
// game does not know.
std::string DescribeRecord(std::uint8_t code, std::uint8_t operand);

// Every level of the table with its records, each with its row and group.
std::vector<ListedLevel> ListLevels(const SnapshotImage& image, const LevelTable& table);

}  // namespace kestrova

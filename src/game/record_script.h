#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/result.h"
#include "game/level_records.h"
#include "snapshot/snapshot_image.h"

namespace kestrova {

// The records of one object, in level order: a whole group, or one record.
using ObjectBytes = std::vector<std::uint8_t>;

// Objects copied from a level, in level order; what a paste puts back.
struct RecordClip {
  std::vector<ObjectBytes> objects;

  int Objects() const { return static_cast<int>(objects.size()); }
  int Bytes() const;
  // Every object's bytes, one after the other, as they go into a level.
  std::vector<std::uint8_t> Joined() const;
  // Whether an object holds a level's end record (a fortress): pasting it
  // ends the level there and adds one.
  bool EndsALevel() const;
};

// The bytes of one object of a level.
ObjectBytes UnitBytes(const SnapshotImage& image, const LevelUnit& unit);

// Every record in front of the level's end record (`end`), as objects: each
// group one, but a fortress, which closes its level with the end record that
// stays, record by record.
RecordClip LevelClip(const SnapshotImage& image, std::uint32_t start, std::uint32_t end);

// "1 object, 2 bytes", "3 objects, 8 bytes".
std::string CountText(int objects, int bytes);

// "$9308", "0x9308" or "37640".
std::optional<std::uint32_t> ParseAddress(const std::string& word);

// One insert command as the edit script writes it:
//   insert NAME [at ADDRESS] [column C] [value V]
//   insert bytes CODE OPERAND          (a record no Insert menu item writes)
struct InsertWords {
  int tag = -1;  // the Insert menu's tag; -1 for "insert bytes"
  std::optional<std::uint32_t> address;
  std::optional<int> column;
  std::optional<int> value;
  // What it writes in front of a record, at its column (column 0 when none
  // is given, clamped as the menu clamps it).
  ObjectBytes bytes;
};

// `words` is the whole command, "insert" first. A line that is not such a
// command is refused with the reason.
Result<InsertWords> ParseInsertWords(const std::vector<std::string>& words);

// The insert command (without "at") that writes exactly `object`: the
// Insert menu's name with the column or value it needs, else "insert bytes".
std::string InsertLine(std::span<const std::uint8_t> object);

// The clip as edit commands, one object a line, after a comment that names
// what it holds; with a level number, a "before level N" line first, so that
// `kestrova edit --script` puts it in front of that level's first record.
std::string ClipScript(const RecordClip& clip, std::optional<int> level = std::nullopt);

// A pasted text: its insert commands, one object each ("at ADDRESS" names a
// place in another game, and is passed over: a paste goes where it is
// made); comments, blank lines and "before" lines are passed over too. Any
// other command is refused with its line, as is a text with no insert.
Result<RecordClip> ParseClipScript(const std::string& text);

// The editor's own clipboard form of a clip, and back; what does not read
// as one is refused.
std::vector<std::uint8_t> EncodeClip(const RecordClip& clip);
Result<RecordClip> DecodeClip(std::span<const std::uint8_t> data);

}  // namespace kestrova

#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/result.h"
#include "snapshot/snapshot_file_kind.h"
#include "snapshot/szx_snapshot.h"

namespace kestrova {

// What the window writes beside unsaved work, so that a crash or a power
// cut loses none of it: the image with the snapshot's own screen in its
// screen area, and what it takes to carry on as if nothing had happened
// (the file it came from and how that file is saved again, the kept .szx
// blocks, the level and scroll shown).
struct RecoveryRecord {
  std::int64_t savedAt = 0;  // seconds since 1970, UTC
  std::string sourcePath;    // the snapshot's file; empty when it has none
  std::string content;       // the format the file was read as: ".sna", ".szx", ".z80", ...
  SnapshotFileKind saveFormat = SnapshotFileKind::Sna;
  bool loadedFromSzx = false;
  KeptSzxBlocks kept;
  int levelIndex = 0;
  int scrollPosition = 0;
  std::vector<std::uint8_t> image;

  bool operator==(const RecoveryRecord&) const = default;
};

// The side file's bytes: a magic text, a format version, the fields, and a
// CRC-32 over all of it, so that a file cut short by a power cut or changed
// on the disk is told apart from a good one and never half loaded.
std::vector<std::uint8_t> EncodeRecoveryRecord(const RecoveryRecord& record);
Result<RecoveryRecord> DecodeRecoveryRecord(std::span<const std::uint8_t> bytes);

// The time a record was written, as the question shows it: the local
// "2026-12-10 18:42".
std::string RecoveryTimeText(std::int64_t savedAt);

}  // namespace kestrova

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "level/level_table.h"
#include "snapshot/snapshot_image.h"

namespace kestrova {

// The Z80 assembler listing of the settings, the level area (records, the
// end-of-levels marker and the free bytes) and the check table, each under an
// Org for its address, so that assembling it gives those bytes of the image.
// Lines come without line ends. The check table is listed as the image holds
// it: bring it up to date first.
std::vector<std::string> BuildAsmListing(const SnapshotImage& image, const LevelTable& table);

// What the listing says after a record's address: " ;A tree in column 5";
// empty for a code the game does not know.
std::string RecordDescription(std::uint8_t code, std::uint8_t operand);

// Every line followed by CR LF.
std::string JoinWithCrLf(const std::vector<std::string>& lines);

}  // namespace kestrova

#pragma once

#include <cstdint>
#include <span>

#include "base/result.h"
#include "snapshot/snapshot_image.h"

namespace kestrova {

// Recognition bytes: a snapshot of the game holds one of them.
constexpr std::uint32_t kRecognitionAddress = 0x751D;
constexpr std::uint8_t kRecognitionValue = 0xAE;
constexpr std::uint32_t kAlternateRecognitionAddress = 0x7A93;
constexpr std::uint8_t kAlternateRecognitionValue = 0x76;

inline constexpr const char* kNotKestrovaText = "Not a Kestrova Snapshot!";

// True when the image holds either recognition byte.
bool HoldsKestrovaRecognitionBytes(const SnapshotImage& image);

// A .sna file as an image at the file's own length, or the refusal. A file
// too short to hold the RAM up to 0xFFFF cannot hold the game and is
// refused like one without the recognition bytes. A 128K file is held with
// its banks in the editor's layout (snapshot/ram_banks.h), whatever bank its
// paging byte had at 0xC000; SnaFileFromImage writes it back as it was.
Result<SnapshotImage> ReadSna(std::span<const std::uint8_t> file);

}  // namespace kestrova

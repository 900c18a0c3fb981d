#pragma once

// Images for checking the map path as a whole: random level areas that a
// load recognises, over random graphics and colours, and a fingerprint of
// everything a refresh or an overview leaves behind.

#include <cstdint>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "editor/editor_state.h"
#include "level/level_addresses.h"
#include "level/level_table.h"
#include "render/cell_grid.h"
#include "snapshot/sna.h"
#include "snapshot/snapshot_image.h"
#include "support/ref_shell.h"
#include "surface/fast_dib.h"

namespace kestrova::testing {

// How many of `full` random cases to run: all of them, or a tenth where
// every access is instrumented (the sanitizer build), whose task there is
// memory safety rather than covering every case again.
constexpr int RandomCaseCount(int full) {
#if defined(__SANITIZE_ADDRESS__)
  return full / 10;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  return full / 10;
#else
  return full;
#endif
#else
  return full;
#endif
}

// Every code with a drawer, land space several times so that levels get
// height, and two codes without one.
inline constexpr std::uint8_t kRandomCodes[] = {
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0x05, 0x06, 0x08, 0x09, 0x0D, 0x0E, 0x0F, 0x10, 0x11, 0x12,
    0x13, 0x17, 0x19, 0x1A, 0x1B, 0x1C, 0x1D, 0x1E, 0x1F, 0x20, 0x21, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28,
    0x81, 0x82, 0x83, 0x87, 0x8A, 0x8B, 0x8C, 0x94, 0x95, 0x96, 0x96, 0x98, 0x98, 0x98, 0x22, 0x50, 0xC3,
};

// A 48K image with random bytes everywhere outside the screen area (so
// graphics and colour bytes are random too) and a level area of one to
// four random levels: mostly drawable records with operands that are
// usually columns, each level closed by an end record, the last by the
// end-of-levels marker. No record pair other than the end records reads
// 22 01, so the byte scan finds exactly these levels.
inline SnapshotImage RandomLevelImage(std::mt19937& random) {
  SnapshotImage image(std::vector<std::uint8_t>(kSnapshotSize48K, 0));
  for (std::uint32_t a = 0x5B00; a <= kRamEnd; ++a) image.Write(a, static_cast<std::uint8_t>(random()));
  std::vector<std::uint8_t> area;
  const int levels = 1 + static_cast<int>(random() % 4);
  const std::size_t room = kLevelAreaLength - 3;
  for (int level = 0; level < levels && area.size() + 2 <= room; ++level) {
    const int records = 1 + static_cast<int>(random() % 140);
    for (int i = 0; i < records && area.size() + 4 <= room; ++i) {
      const std::uint8_t code = kRandomCodes[random() % std::size(kRandomCodes)];
      std::uint8_t operand;
      switch (random() % 8) {
        case 0:
          operand = static_cast<std::uint8_t>(random());
          break;  // anything, bit 7 included
        case 1:
          operand = static_cast<std::uint8_t>(random() % 40);
          break;
        default:
          operand = static_cast<std::uint8_t>(code == 0x00 ? random() % 48 : random() % 32);
          break;
      }
      if (code == kCodeSpawnPoint && operand == kOperandEndRecord) operand = 2;
      area.insert(area.end(), {code, operand});
    }
    area.insert(area.end(), {kCodeSpawnPoint, kOperandEndRecord});
  }
  area.push_back(kEndOfLevelsMarker);
  for (std::size_t i = 0; i < area.size(); ++i) image.Write(kLevelAreaStart + static_cast<std::uint32_t>(i), area[i]);
  // Free bytes that never read 22 01 FF.
  for (std::uint32_t a = kLevelAreaStart + static_cast<std::uint32_t>(area.size()); a <= kLevelAreaLast; ++a) {
    image.Write(a, 0xEE);
  }
  image.Write(kRecognitionAddress, kRecognitionValue);
  return image;
}

// 64-bit FNV-1a, fed value by value.
class Fingerprint {
 public:
  template <typename T>
  void Add(const T& value) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&value);
    for (std::size_t i = 0; i < sizeof(T); ++i) hash_ = (hash_ ^ bytes[i]) * 0x100000001B3ull;
  }
  template <typename Range>
  void AddAll(const Range& range) {
    for (const auto& value : range) Add(value);
  }
  std::uint64_t Value() const { return hash_; }

 private:
  std::uint64_t hash_ = 0xCBF29CE484222325ull;
};

inline std::uint64_t ScreenPrint(const SnapshotImage& image) {
  Fingerprint print;
  for (std::uint32_t a = kScreenAreaStart; a < kScreenAreaStart + kScreenAreaSize; ++a) print.Add(image.Read(a));
  return print.Value();
}

inline std::uint64_t GridPrint(const CellGrid& grid) {
  Fingerprint print;
  print.AddAll(grid.tileId);
  print.AddAll(grid.ownerPos);
  print.AddAll(grid.landPos);
  return print.Value();
}

inline std::uint64_t PicturePrint(const TFastDIB& picture) {
  Fingerprint print;
  print.Add(picture.Width());
  print.Add(picture.Height());
  print.AddAll(picture.Pixels());
  return print.Value();
}

// The state a walk, a conversion or an overview leaves for the next one.
inline std::uint64_t StatePrint(const EditorState& state) {
  Fingerprint print;
  for (const std::int64_t value :
       {std::int64_t{state.place.levelStart}, std::int64_t{state.place.levelEnd}, std::int64_t{state.walk.streamCursor},
        std::int64_t{state.walk.walkStart}, std::int64_t{state.walk.currentCode}, std::int64_t{state.walk.currentRow},
        std::int64_t{state.place.scrollOffset}, std::int64_t{state.walk.conversion.lastRow},
        std::int64_t{state.walk.conversion.firstColumn}, std::int64_t{state.walk.conversion.lastColumn},
        std::int64_t{state.walk.conversion.baseRow}, std::int64_t{state.walk.previewMode},
        std::int64_t{state.walk.wholeLevelMode}, std::int64_t{state.walk.crossingColumn},
        std::int64_t{state.walk.largeHut}}) {
    print.Add(value);
  }
  return print.Value();
}

}  // namespace kestrova::testing

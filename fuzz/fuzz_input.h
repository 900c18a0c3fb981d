#pragma once

// What the fuzz targets share: the input read as a stream of choices, a
// failed check that ends the run, and random recognised images of the game.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "demo/demo_game.h"
#include "level/level_addresses.h"
#include "level/level_table.h"
#include "snapshot/snapshot_image.h"

namespace kestrova::fuzz {

// The input as a stream of choices; past its end every choice is the
// smallest one, so a run always ends.
class FuzzInput {
 public:
  explicit FuzzInput(std::span<const std::uint8_t> data) : data_(data) {}

  std::size_t Remaining() const { return data_.size() - used_; }
  std::uint8_t Byte() { return used_ < data_.size() ? data_[used_++] : 0; }
  bool Bool() { return (Byte() & 1) != 0; }
  // A value in low..high (high >= low), from as few bytes as the range needs.
  int Uniform(int low, int high) {
    if (high <= low) return low;
    const std::uint32_t span = static_cast<std::uint32_t>(high - low) + 1;
    std::uint32_t value = 0;
    for (std::uint32_t reach = 1; reach < span && reach != 0; reach <<= 8) value = value << 8 | Byte();
    return low + static_cast<int>(value % span);
  }
  std::span<const std::uint8_t> Take(std::size_t count) {
    const std::size_t n = count < Remaining() ? count : Remaining();
    const auto taken = data_.subspan(used_, n);
    used_ += n;
    return taken;
  }

 private:
  std::span<const std::uint8_t> data_;
  std::size_t used_ = 0;
};

// A broken promise: says which and ends the run, so the fuzzer keeps the input.
[[noreturn]] inline void Fail(const std::string& what) {
  std::fprintf(stderr, "check failed: %s\n", what.c_str());
  std::abort();
}

inline const SnapshotImage& Demo(DemoMachine machine) {
  static const SnapshotImage demo48 = MakeDemoSnapshot(DemoMachine::Spectrum48K);
  static const SnapshotImage demo128 = MakeDemoSnapshot(DemoMachine::Spectrum128K);
  return machine == DemoMachine::Spectrum48K ? demo48 : demo128;
}

// Which bytes of the level area an image's patches may change.
enum class LevelPatches {
  Any,   // codes too: level streams of any shape
  None,  // the demo's own levels, however other bytes are patched
};

// The 48K or 128K demo game with patches from the input: up to 63 bytes set
// anywhere in its RAM (graphics, colour bytes, settings, the screen and, if
// allowed, the level area). Whether the editor recognises it is the
// caller's test.
// Up to 63 patches from the input into `image`.
inline void PatchImage(FuzzInput& in, SnapshotImage& image, LevelPatches levels) {
  for (int patches = in.Uniform(0, 63); patches > 0 && in.Remaining() >= 3; --patches) {
    const auto address = static_cast<std::uint32_t>(kRamStart + in.Uniform(0, kRamEnd - kRamStart));
    const std::uint8_t value = in.Byte();
    const bool inArea = address >= kLevelAreaStart && address <= kLevelAreaLast;
    if (inArea && levels == LevelPatches::None) continue;
    image.Write(address, value);
  }
}

inline SnapshotImage PatchedDemo(FuzzInput& in, LevelPatches levels) {
  SnapshotImage image = Demo(in.Bool() ? DemoMachine::Spectrum128K : DemoMachine::Spectrum48K);
  PatchImage(in, image, levels);
  return image;
}

inline std::vector<std::uint8_t> BytesOf(const SnapshotImage& image) {
  return std::vector<std::uint8_t>(image.Bytes().begin(), image.Bytes().end());
}

}  // namespace kestrova::fuzz

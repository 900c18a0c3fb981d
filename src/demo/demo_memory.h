#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "snapshot/snapshot_image.h"

namespace kestrova::demo {

// Thrown when two parts of the demo game want different bytes at one address.
class DemoMemoryConflict : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The demo game's RAM as the generator fills it: every byte written records
// who wrote it, so that two sprites (or a sprite and a level) that share an
// address must agree on its value. A second writer with the same value is
// fine (the game's own data shares bytes between sprites); a different value
// throws with both names.
class DemoMemory {
 public:
  explicit DemoMemory(SnapshotImage& image);

  void Write(std::uint32_t address, std::uint8_t value, std::string_view writer);
  void WriteWord(std::uint32_t address, std::uint16_t value, std::string_view writer);

  bool Used(std::uint32_t address) const;
  // The first writer of an address, or "" when nothing wrote it.
  std::string_view WriterOf(std::uint32_t address) const;

  SnapshotImage& Image() { return image_; }

 private:
  static constexpr std::uint16_t kNobody = 0;
  std::uint16_t WriterIndex(std::string_view writer);

  SnapshotImage& image_;
  std::vector<std::string> writers_;         // index 0 is nobody
  std::vector<std::uint16_t> writerOfByte_;  // one entry per Spectrum address 0x4000..0xFFFF
};

}  // namespace kestrova::demo

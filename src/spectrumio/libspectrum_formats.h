#pragma once

#include "ports/snapshot_formats.h"

namespace kestrova {

// The SnapshotFormats port through libspectrum: every 48K and 128K snapshot
// it reads, and .z80 (version 3) written by its own writer. A 128K snapshot
// of a +2 or a Pentagon 128 (its 128K paging is the Spectrum 128's) is read
// as a 128K; any other machine is refused, by name. The library is loaded
// by the first call that needs it.
class LibspectrumFormats : public SnapshotFormats {
 public:
  std::string Identify(std::span<const std::uint8_t> file, const std::string& name) override;
  Result<SnapshotImage> Read(std::span<const std::uint8_t> file, const std::string& format) override;
  Result<std::vector<std::uint8_t>> Write(const SnapshotImage& image, const std::string& format) override;
};

}  // namespace kestrova

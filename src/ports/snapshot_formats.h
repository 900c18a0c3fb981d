#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/result.h"
#include "snapshot/snapshot_image.h"

namespace kestrova {

// The snapshot formats the core does not read itself (.z80, .sp, .snp, ...),
// through a library beside it (libspectrum in spectrumio/): the core keeps
// its own exact .sna and .szx, and stays free of that library. Formats are
// named by their lower-case extension (".z80").
class SnapshotFormats {
 public:
  virtual ~SnapshotFormats() = default;
  // The snapshot format the bytes hold, judged by their content with the
  // file's name as a hint; empty when they hold no snapshot it knows.
  virtual std::string Identify(std::span<const std::uint8_t> file, const std::string& name) = 0;
  // The snapshot in the editor's layout (a 48K game as a 48K .sna, a 128K or
  // +2 game as a 128K .sna taken with bank 0 paged in), or the reason it
  // cannot be (another machine, a damaged file).
  virtual Result<SnapshotImage> Read(std::span<const std::uint8_t> file, const std::string& format) = 0;
  // The image as a file of `format`, or the reason it cannot be written.
  virtual Result<std::vector<std::uint8_t>> Write(const SnapshotImage& image, const std::string& format) = 0;
};

}  // namespace kestrova

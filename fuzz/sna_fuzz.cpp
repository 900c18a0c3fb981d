// The .sna reader on any bytes: what it accepts it holds whole, and writes
// back as the same file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "snapshot/ram_banks.h"
#include "snapshot/sna.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> file(data, size);
  const auto image = kestrova::ReadSna(file);
  if (!image.Ok()) return 0;
  if (size < kestrova::kSnapshotSize48K) kestrova::fuzz::Fail("a file too short for the game was accepted");
  // A 131103-byte file that pages bank 2 or 5 cannot hold every bank; it is
  // written back at the length its paging asks for. Any other comes back as it was.
  const bool pagingNeedsMore =
      size == kestrova::kSnapshotSize128K && !kestrova::SnaBankOffsets(size, data[kestrova::kOffset128KPort7FFD]);
  const std::vector<std::uint8_t> back = kestrova::SnaFileFromImage(*image);
  if (pagingNeedsMore) {
    const auto fixedBanksEnd = static_cast<std::ptrdiff_t>(kestrova::ImageOffsetOf(kestrova::kPagedBankAddress));
    if (!std::equal(file.begin(), file.begin() + fixedBanksEnd, back.begin()))
      kestrova::fuzz::Fail("the header or banks 5 and 2 of a short 128K file changed");
  } else if (!std::equal(file.begin(), file.end(), back.begin(), back.end())) {
    kestrova::fuzz::Fail("a " + std::to_string(size) + "-byte file is not written back as it was read");
  }
  return 0;
}

// The .szx layer and the image builder on any bytes: no read past the input,
// the callback never handed less than the layer promises.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "snapshot/szx.h"
#include "snapshot/szx_snapshot.h"

namespace {

std::uint8_t Touch(const std::uint8_t* bytes, std::size_t count) {
  std::uint8_t sum = 0;
  for (std::size_t i = 0; i < count; ++i) sum = static_cast<std::uint8_t>(sum + bytes[i]);
  return sum;
}

std::size_t PromisedBlockBytes(std::uint32_t id) {
  if (id == kestrova::kSzxIdZ80Registers) return kestrova::kKeptZ80rSize;
  if (id == kestrova::kSzxIdSpectrumRegisters) return kestrova::kKeptSpcrSize;
  if (id == kestrova::kSzxIdRamPage) return kestrova::kSzxBlockHeaderSize + kestrova::kRampFieldsSize;
  return kestrova::kSzxBlockHeaderSize;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> file(data, size);
  volatile std::uint8_t sink = 0;
  kestrova::LoadSZXStateFromBytes(
      file, [&](const std::uint8_t* block, const std::uint8_t* payload, std::uint32_t length) {
        const std::uint32_t id = kestrova::SzxBlockId(block);
        sink = static_cast<std::uint8_t>(sink + Touch(block, PromisedBlockBytes(id)) + Touch(payload, length));
        if (id == kestrova::kSzxIdRamPage && (block[8] & 1) && length != kestrova::kSzxPageSize) std::abort();
        return 0u;
      });
  const auto load = kestrova::ReadSzxSnapshot(file, kestrova::SnapshotImage(), {});
  if (load.Ok() && load->image.Size() != kestrova::SzxSnapshotSize(file)) std::abort();
  return 0;
}

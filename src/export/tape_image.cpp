#include "export/tape_image.h"

#include "export/tape_templates.h"

namespace kestrova {

namespace {

void Append(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> bytes) {
  out.insert(out.end(), bytes.begin(), bytes.end());
}

// A CODE template, then the data and its checksum.
void AppendCodeBlock(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> codeTemplate,
                     std::span<const std::uint8_t> data) {
  Append(out, codeTemplate);
  Append(out, data);
  out.push_back(TapeDataChecksum(data));
}

std::vector<std::uint8_t> MainMemory(const SnapshotImage& image, std::uint32_t start) {
  std::vector<std::uint8_t> data;
  data.reserve(kRamEnd - start + 1);
  for (std::uint32_t address = start; address <= kRamEnd; ++address) data.push_back(image.Read(address));
  return data;
}

std::vector<std::uint8_t> Bank1(const SnapshotImage& image) {
  std::vector<std::uint8_t> data(kPageSize);
  for (std::size_t i = 0; i < kPageSize; ++i) data[i] = image.ReadOffset(kOffsetBank1 + i);
  return data;
}

}  // namespace

std::uint8_t TapeDataChecksum(std::span<const std::uint8_t> data) {
  std::uint8_t x = kTapeDataFlag;
  for (std::uint8_t byte : data) x ^= byte;
  return x;
}

std::vector<std::uint8_t> BuildTapeImage(const SnapshotImage& image, std::size_t snapshotSize,
                                         std::optional<TapeScreen> screen) {
  const bool is48K = snapshotSize == kSnapshotSize48K;
  std::vector<std::uint8_t> out;
  if (is48K) {
    Append(out,
           screen ? std::span<const std::uint8_t>(kLoader48KWithScreen) : std::span<const std::uint8_t>(kLoader48K));
  } else {
    Append(out,
           screen ? std::span<const std::uint8_t>(kLoader128KWithScreen) : std::span<const std::uint8_t>(kLoader128K));
  }
  if (screen) AppendCodeBlock(out, kScreenTemplate, *screen);
  if (is48K) {
    AppendCodeBlock(out, kMain48KTemplate, MainMemory(image, kTapeMain48KStart));
  } else {
    AppendCodeBlock(out, kPageTemplate, Bank1(image));
    AppendCodeBlock(out, kMain128KTemplate, MainMemory(image, kTapeMain128KStart));
  }
  return out;
}

}  // namespace kestrova

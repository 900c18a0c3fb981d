#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kestrova {

// Image layout: a 27-byte register header, then the Spectrum RAM from 0x4000.
constexpr std::size_t kSnaHeaderSize = 27;
constexpr std::uint32_t kRamStart = 0x4000;
constexpr std::uint32_t kRamEnd = 0xFFFF;
constexpr std::uint32_t kSnapshotSize48K = 49179;
constexpr std::uint32_t kSnapshotSize128K = 131103;

// 128K extension, after the 48K part.
constexpr std::size_t kOffset128KPc = 49179;
constexpr std::size_t kOffset128KPort7FFD = 49181;
constexpr std::size_t kOffset128KTrDos = 49182;
constexpr std::size_t kOffsetBank1 = 49183;
constexpr std::size_t kPageSize = 16384;

// Header offsets.
constexpr std::size_t kHeaderI = 0;
constexpr std::size_t kHeaderHLAlt = 1;
constexpr std::size_t kHeaderDEAlt = 3;
constexpr std::size_t kHeaderBCAlt = 5;
constexpr std::size_t kHeaderAFAlt = 7;
constexpr std::size_t kHeaderHL = 9;
constexpr std::size_t kHeaderDE = 11;
constexpr std::size_t kHeaderBC = 13;
constexpr std::size_t kHeaderIY = 15;
constexpr std::size_t kHeaderIX = 17;
constexpr std::size_t kHeaderInterrupts = 19;
constexpr std::size_t kHeaderR = 20;
constexpr std::size_t kHeaderAF = 21;
constexpr std::size_t kHeaderSP = 23;
constexpr std::size_t kHeaderIM = 25;
constexpr std::size_t kHeaderBorder = 26;

// Image offset of Spectrum address A (0x4000..0xFFFF).
constexpr std::size_t ImageOffsetOf(std::uint32_t address) {
  return static_cast<std::size_t>(address) - kRamStart + kSnaHeaderSize;
}

// The loaded snapshot in 48K .sna layout. Every access is checked: reads
// outside the image give 0, writes outside it are dropped, so no operand or
// file content can reach memory the image does not own.
class SnapshotImage {
 public:
  SnapshotImage() = default;
  explicit SnapshotImage(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

  std::size_t Size() const { return bytes_.size(); }
  bool Empty() const { return bytes_.empty(); }
  bool Is48K() const { return bytes_.size() == kSnapshotSize48K; }

  // Grows with zero bytes or shrinks; bytes that fit are kept.
  void Resize(std::size_t size) { bytes_.resize(size, 0); }

  // By Spectrum address.
  bool HoldsAddress(std::uint32_t address) const {
    return address >= kRamStart && address <= kRamEnd && ImageOffsetOf(address) < bytes_.size();
  }
  std::uint8_t Read(std::uint32_t address) const { return HoldsAddress(address) ? bytes_[ImageOffsetOf(address)] : 0; }
  void Write(std::uint32_t address, std::uint8_t value) {
    if (HoldsAddress(address)) bytes_[ImageOffsetOf(address)] = value;
  }
  std::uint16_t ReadWord(std::uint32_t address) const {
    return static_cast<std::uint16_t>(Read(address) | (Read(address + 1) << 8));
  }
  void WriteWord(std::uint32_t address, std::uint16_t value) {
    Write(address, static_cast<std::uint8_t>(value & 0xFF));
    Write(address + 1, static_cast<std::uint8_t>(value >> 8));
  }

  // By image offset (header, 128K extension, bank 1).
  std::uint8_t ReadOffset(std::size_t offset) const { return offset < bytes_.size() ? bytes_[offset] : 0; }
  void WriteOffset(std::size_t offset, std::uint8_t value) {
    if (offset < bytes_.size()) bytes_[offset] = value;
  }
  std::uint16_t ReadOffsetWord(std::size_t offset) const {
    return static_cast<std::uint16_t>(ReadOffset(offset) | (ReadOffset(offset + 1) << 8));
  }
  void WriteOffsetWord(std::size_t offset, std::uint16_t value) {
    WriteOffset(offset, static_cast<std::uint8_t>(value & 0xFF));
    WriteOffset(offset + 1, static_cast<std::uint8_t>(value >> 8));
  }

  // A byte range by image offset, clipped to the image.
  std::span<const std::uint8_t> Range(std::size_t offset, std::size_t length) const;
  // Copies bytes in by image offset, clipped to the image.
  void CopyIn(std::size_t offset, std::span<const std::uint8_t> source);

  std::span<const std::uint8_t> Bytes() const { return bytes_; }
  std::span<std::uint8_t> MutableBytes() { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace kestrova
